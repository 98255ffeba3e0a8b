#include "ScheduleModel.h"

#include "FileNameRules.h"
#include "ScheduleListModel.h"
#include "ScheduleMedia.h"
#include "ScheduleSteps.h"

#include <QDir>
#include <QFileInfo>
#include <QUndoStack>
#include <algorithm>

namespace nerav {

// While the model edits the document, the views' own row changes are not the user's choice.
class ScheduleModel::Editing
{
public:
    explicit Editing(ScheduleModel &model) : m_model(model) { ++m_model.m_editing; }
    ~Editing() { --m_model.m_editing; }
    Editing(const Editing &) = delete;
    Editing &operator=(const Editing &) = delete;

private:
    ScheduleModel &m_model;
};

namespace {

template<class Records>
void Rotate(Records &records, int from, int to)
{
    const auto at = [&records](int index) { return records.begin() + index; };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else
        std::rotate(at(to), at(from), at(from + 1));
}

} // namespace

ScheduleModel::ScheduleModel(ScheduleDocument &document, const InterfaceText &text,
                             QUndoStack &history, QObject *parent)
    : QObject(parent),
      m_document(document),
      m_text(text),
      m_history(history),
      m_media(new ScheduleMedia(document, this))
{
    for (ScheduleList which : {ScheduleList::Basic, ScheduleList::Advance, ScheduleList::Detail}) {
        m_lists[int(which)] = new ScheduleListModel(*this, which);
        m_lists[int(which)]->setParent(this);
    }
    connect(this, &ScheduleModel::documentChanged, m_media, &ScheduleMedia::followDocument);
    connect(m_media, &ScheduleMedia::changed, this, &ScheduleModel::announceMedia);
}

ScheduleModel::~ScheduleModel() = default;

ScheduleListModel *ScheduleModel::list(ScheduleList which) const
{
    return m_lists[int(which)];
}

int ScheduleModel::rowCount(ScheduleList which) const
{
    switch (which) {
    case ScheduleList::Basic:
        return m_document.basicCount();
    case ScheduleList::Advance:
        return m_document.advanceCount();
    case ScheduleList::Detail:
        break;
    }
    return m_owner < 0 ? 0 : m_document.advanceSchedules[std::size_t(m_owner)].detailCount();
}

int ScheduleModel::limit(ScheduleList which)
{
    switch (which) {
    case ScheduleList::Basic:
        return MaxBasicEntries;
    case ScheduleList::Advance:
        return MaxAdvanceSchedules;
    case ScheduleList::Detail:
        break;
    }
    return MaxDetailsPerSchedule;
}

void ScheduleModel::setCurrentRow(ScheduleList which, int row)
{
    if (m_editing)
        return;
    if (which == ScheduleList::Advance) {
        if (row == m_selection.advance && row == m_owner)
            return;
        m_selection.advance = row;
        showDetailsOf(row);
        m_selection.detail = rowCount(ScheduleList::Detail) > 0 ? 0 : -1;
    } else {
        if (m_selection.row(which) == row)
            return;
        m_selection.row(which) = row;
    }
    emit selectionChanged(m_selection);
}

void ScheduleModel::select(const ListSelection &selection)
{
    showDetailsOf(selection.advance);
    m_selection = selection;
    emit selectionChanged(m_selection);
}

void ScheduleModel::showDetailsOf(int owner)
{
    if (owner < 0 || owner >= m_document.advanceCount())
        owner = -1;
    if (owner == m_owner)
        return;
    const Editing editing(*this);
    ScheduleListModel *details = list(ScheduleList::Detail);
    details->beginResetModel();
    m_owner = owner;
    details->endResetModel();
}

void ScheduleModel::push(ScheduleStep *step)
{
    m_history.push(step);
}

std::vector<ScheduleEntry> &ScheduleModel::entries(ScheduleList which, int owner)
{
    if (which == ScheduleList::Basic)
        return m_document.basicEntries;
    return m_document.advanceSchedules[std::size_t(owner)].details;
}

// An advance schedule's row says how many entries it has.
void ScheduleModel::detailCountChanged(int owner)
{
    ScheduleListModel *advance = list(ScheduleList::Advance);
    const QModelIndex row = advance->index(owner);
    emit advance->dataChanged(row, row);
}

template<>
void ScheduleModel::insertRecords(ScheduleList which, int owner, int row,
                                  const std::vector<ScheduleEntry> &records)
{
    const Editing editing(*this);
    const bool shown = which == ScheduleList::Basic || owner == m_owner;
    ScheduleListModel *model = list(which);
    if (shown)
        model->beginInsertRows({}, row, row + int(records.size()) - 1);
    std::vector<ScheduleEntry> &target = entries(which, owner);
    target.insert(target.begin() + row, records.begin(), records.end());
    if (shown)
        model->endInsertRows();
    if (which == ScheduleList::Detail)
        detailCountChanged(owner);
    emit documentChanged();
}

template<>
void ScheduleModel::insertRecords(ScheduleList, int, int row,
                                  const std::vector<AdvanceSchedule> &records)
{
    const Editing editing(*this);
    ScheduleListModel *model = list(ScheduleList::Advance);
    model->beginInsertRows({}, row, row + int(records.size()) - 1);
    auto &schedules = m_document.advanceSchedules;
    schedules.insert(schedules.begin() + row, records.begin(), records.end());
    // The details shown stay those of the same schedule.
    if (m_owner >= row)
        m_owner += int(records.size());
    model->endInsertRows();
    emit documentChanged();
}

template<>
std::vector<ScheduleEntry> ScheduleModel::takeRecords(ScheduleList which, int owner, int row,
                                                      int count)
{
    const Editing editing(*this);
    const bool shown = which == ScheduleList::Basic || owner == m_owner;
    ScheduleListModel *model = list(which);
    if (shown)
        model->beginRemoveRows({}, row, row + count - 1);
    std::vector<ScheduleEntry> &source = entries(which, owner);
    const auto first = source.begin() + row;
    std::vector<ScheduleEntry> taken(std::make_move_iterator(first),
                                     std::make_move_iterator(first + count));
    source.erase(first, first + count);
    if (shown)
        model->endRemoveRows();
    if (which == ScheduleList::Detail)
        detailCountChanged(owner);
    emit documentChanged();
    return taken;
}

template<>
std::vector<AdvanceSchedule> ScheduleModel::takeRecords(ScheduleList, int, int row, int count)
{
    const Editing editing(*this);
    // The details of a removed schedule give way, in one go, to those of the schedule that
    // takes its row.
    ScheduleListModel *details = list(ScheduleList::Detail);
    const bool ownerRemoved = m_owner >= row && m_owner < row + count;
    if (ownerRemoved) {
        details->beginResetModel();
        m_owner = -1;
    }
    ScheduleListModel *model = list(ScheduleList::Advance);
    model->beginRemoveRows({}, row, row + count - 1);
    auto &schedules = m_document.advanceSchedules;
    const auto first = schedules.begin() + row;
    std::vector<AdvanceSchedule> taken(std::make_move_iterator(first),
                                       std::make_move_iterator(first + count));
    schedules.erase(first, first + count);
    if (m_owner >= row + count)
        m_owner -= count;
    model->endRemoveRows();
    if (ownerRemoved) {
        m_owner = schedules.empty() ? -1 : std::min(row, int(schedules.size()) - 1);
        details->endResetModel();
    }
    emit documentChanged();
    return taken;
}

void ScheduleModel::replaceEntry(ScheduleList which, int owner, int row, const ScheduleEntry &entry)
{
    entries(which, owner)[std::size_t(row)] = entry;
    if (which == ScheduleList::Basic || owner == m_owner) {
        const QModelIndex index = list(which)->index(row);
        emit list(which)->dataChanged(index, index);
    }
    emit documentChanged();
}

void ScheduleModel::replaceWindow(int row, const AdvanceSchedule &window)
{
    AdvanceSchedule &schedule = m_document.advanceSchedules[std::size_t(row)];
    std::vector<ScheduleEntry> details = std::move(schedule.details);
    schedule = window;
    schedule.details = std::move(details);
    const QModelIndex index = list(ScheduleList::Advance)->index(row);
    emit list(ScheduleList::Advance)->dataChanged(index, index);
    emit documentChanged();
}

void ScheduleModel::moveRecord(ScheduleList which, int owner, int from, int to)
{
    if (from == to)
        return;
    const Editing editing(*this);
    const bool shown = which != ScheduleList::Detail || owner == m_owner;
    ScheduleListModel *model = list(which);
    if (shown)
        model->beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    if (which == ScheduleList::Advance) {
        Rotate(m_document.advanceSchedules, from, to);
        // The details shown stay those of the same schedule.
        if (m_owner == from)
            m_owner = to;
        else if (from < m_owner && m_owner <= to)
            --m_owner;
        else if (to <= m_owner && m_owner < from)
            ++m_owner;
    } else {
        Rotate(entries(which, owner), from, to);
    }
    if (shown)
        model->endMoveRows();
    emit documentChanged();
}

void ScheduleModel::resetDocument(ScheduleDocument document)
{
    {
        const Editing editing(*this);
        for (ScheduleListModel *model : m_lists)
            model->beginResetModel();
        m_document = std::move(document);
        m_owner = m_document.advanceCount() > 0 ? 0 : -1;
        for (ScheduleListModel *model : m_lists)
            model->endResetModel();
    }
    const auto first = [this](ScheduleList which) { return rowCount(which) > 0 ? 0 : -1; };
    m_selection = {first(ScheduleList::Basic), first(ScheduleList::Advance),
                   first(ScheduleList::Detail)};
    emit selectionChanged(m_selection);
    emit documentChanged();
}

void ScheduleModel::retext()
{
    for (ScheduleListModel *model : m_lists) {
        const int rows = model->rowCount();
        if (rows > 0)
            emit model->dataChanged(model->index(0), model->index(rows - 1));
    }
    // The history holds only the steps this model pushed.
    for (int i = 0; i < m_history.count(); ++i)
        static_cast<ScheduleStep *>(const_cast<QUndoCommand *>(m_history.command(i)))
                ->retitle(m_text.captions);
}

void ScheduleModel::announceMedia()
{
    for (ScheduleListModel *model : m_lists) {
        const int rows = model->rowCount();
        if (rows > 0)
            emit model->dataChanged(model->index(0), model->index(rows - 1));
    }
    emit mediaChanged();
}

ListSummary ScheduleModel::summary(ScheduleList which) const
{
    const MediaTable &texts = m_text.media;
    switch (which) {
    case ScheduleList::Basic:
        return SummarizeEntries(*m_media, m_document.basicEntries, texts, true);
    case ScheduleList::Advance:
        if (m_owner < 0)
            return {};
        return SummarizeWindow(*m_media, m_document.advanceSchedules[std::size_t(m_owner)], m_owner,
                               texts);
    case ScheduleList::Detail:
        break;
    }
    if (m_owner < 0)
        return {};
    return SummarizeEntries(*m_media, m_document.advanceSchedules[std::size_t(m_owner)].details,
                            texts, false);
}

void ScheduleModel::dropFiles(ScheduleList which, const QList<QUrl> &urls, int row)
{
    const int owner = which == ScheduleList::Detail ? m_owner : -1;
    if (which == ScheduleList::Advance || (which == ScheduleList::Detail && owner < 0))
        return;
    const MessageTable &messages = m_text.messages;
    const int count = rowCount(which);
    row = std::clamp(row, 0, count);

    auto *group = new ScheduleStep(StepKind::Add, m_text.captions);
    QStringList refused;
    // The refusal names what the entry editor's Browse filter offers.
    const QString mediaExtensions = u'.' + MediaExtensions().join(QStringLiteral(" ."));
    int added = 0;
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        // A folder's URL may end with a slash; its name is still the last part.
        const QFileInfo file(QDir::cleanPath(url.toLocalFile()));
        const QString name = file.fileName();
        ScheduleEntry entry;
        QString reason = file.isDir()      ? messages.msgDropFolder
                : !HasMediaExtension(name) ? messages.msgDropNotMedia.arg(mediaExtensions)
                                           : FileNameProblemText(name, messages);
        if (reason.isEmpty() && count + added >= limit(which))
            reason = messages.msgDropListFull;
        if (reason.isEmpty() && !EncodeFileName(name, entry))
            reason = messages.msgFileNameError;
        if (!reason.isEmpty()) {
            refused.append(name + QStringLiteral(": ") + reason);
            continue;
        }
        entry.playTimes = 1;
        entry.volume = DefaultVolume;
        MakeInsertStep(*this, which, owner, row + added, std::vector {entry}, StepKind::Add, group);
        ++added;
    }
    if (added == 0)
        delete group;
    else
        push(group);
    if (!refused.isEmpty())
        emit dropRefused(messages.msgDropRefused + u'\n' + refused.join(u'\n'));
}

bool ScheduleModel::dragRow(ScheduleList which, int from, int to)
{
    const int count = rowCount(which);
    if (from < 0 || from >= count || to < 0 || to > count)
        return false;
    const int target = to > from ? to - 1 : to;
    if (target == from)
        return false;
    push(MakeMoveStep(*this, which, which == ScheduleList::Detail ? m_owner : -1, from, target));
    return true;
}

} // namespace nerav
