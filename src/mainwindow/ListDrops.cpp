#include "ListDrops.h"

#include "FileNameRules.h"
#include "MainForm.h"
#include "MessageBoxes.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QListWidget>
#include <QMimeData>
#include <algorithm>
#include <memory>
#include <vector>

namespace nerav {

namespace {

// Several steps of one list done and undone as one: a drop of files, or a drag over rows.
class StepGroup final : public EditStep
{
public:
    StepGroup(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
              StepKind kind)
        : EditStep(document, view, list, owner, kind)
    {
    }

    void add(EditStep *step) { m_steps.emplace_back(step); }
    bool empty() const { return m_steps.empty(); }

    void redo() override
    {
        for (const auto &step : m_steps)
            step->redo();
    }
    void undo() override
    {
        for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
            (*step)->undo();
    }

private:
    // The member steps change the document and the rows themselves.
    RowChange Apply() override { return {RowChange::Update, -1}; }
    RowChange Revert() override { return {RowChange::Update, -1}; }
    ListSelection SelectionAfter() const override { return m_before; }

    std::vector<std::unique_ptr<EditStep>> m_steps;
};

const QString ItemRowsFormat = QStringLiteral("application/x-qabstractitemmodeldatalist");

} // namespace

ListDrops::ListDrops(QListWidget *list, AppContext &context, StepView &view, ScheduleList which,
                     ListDropHooks hooks)
    : QObject(list),
      m_list(list),
      m_context(context),
      m_view(view),
      m_which(which),
      m_hooks(std::move(hooks))
{
    list->setDragEnabled(true);
    list->setAcceptDrops(true);
    list->setDragDropMode(QAbstractItemView::DragDrop);
    list->setDropIndicatorShown(true);
    list->viewport()->installEventFilter(this);
}

bool ListDrops::acceptsFiles() const
{
    if (m_which == ScheduleList::Basic)
        return true;
    return m_which == ScheduleList::Detail && m_hooks.owner && m_hooks.owner() >= 0;
}

int ListDrops::rowAt(const QPoint &position) const
{
    QListWidgetItem *item = m_list->itemAt(position);
    if (!item)
        return m_list->count();
    const int row = m_list->row(item);
    return position.y() >= m_list->visualItemRect(item).center().y() ? row + 1 : row;
}

bool ListDrops::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched != m_list->viewport() ||
        (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop))
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QMimeData *data = drop->mimeData();
    const bool internal = drop->source() == m_list && data && data->hasFormat(ItemRowsFormat);
    const bool files = !internal && data && data->hasUrls() && acceptsFiles();
    if (!internal && !files) {
        drop->ignore();
        return true;
    }
    if (type != QEvent::Drop) {
        // The view draws the drop indicator between its own rows.
        if (internal)
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        return true;
    }
    const int row = rowAt(drop->position().toPoint());
    // Copy, so the view does not remove the dragged row itself.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (internal)
        moveRow(m_list->currentRow(), row);
    else
        dropFiles(data->urls(), row);
    return true;
}

void ListDrops::dropFiles(const QList<QUrl> &urls, int row)
{
    const int owner = m_hooks.owner ? m_hooks.owner() : -1;
    if (!acceptsFiles())
        return;
    ScheduleDocument &document = m_context.document;
    const MessageTable &messages = m_context.text.messages;
    const int count = m_which == ScheduleList::Basic
            ? document.basicCount()
            : document.advanceSchedules[std::size_t(owner)].detailCount();
    const int limit = m_which == ScheduleList::Basic ? MaxBasicEntries : MaxDetailsPerSchedule;
    row = std::clamp(row, 0, count);

    auto *group = new StepGroup(document, m_view, m_which, owner, StepKind::Add);
    QStringList refused;
    int added = 0;
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo file(url.toLocalFile());
        const QString name = file.fileName();
        ScheduleEntry entry;
        QString reason =
                file.isDir() ? messages.msgDropFolder : FileNameProblemText(name, messages);
        if (reason.isEmpty() && count + added >= limit)
            reason = messages.msgDropListFull;
        if (reason.isEmpty() && !EncodeFileName(name, entry))
            reason = messages.msgFileNameError;
        if (!reason.isEmpty()) {
            refused.append(name + QStringLiteral(": ") + reason);
            continue;
        }
        entry.playTimes = 1;
        entry.volume = DefaultVolume;
        group->add(MakeAddStep(document, m_view, m_which, owner, row + added, entry));
        ++added;
    }
    if (group->empty())
        delete group;
    else
        m_hooks.push(group);
    if (!refused.isEmpty()) {
        const QString text = messages.msgDropRefused + u'\n' + refused.join(u'\n');
        // Shown once the drop has ended, so the file manager is not held.
        QMetaObject::invokeMethod(
                this, [this, text] { ShowMessage(m_list->window(), text); }, Qt::QueuedConnection);
    }
}

void ListDrops::moveRow(int from, int to)
{
    const int count = m_list->count();
    if (from < 0 || from >= count || to < 0 || to > count)
        return;
    const int target = to > from ? to - 1 : to;
    if (target == from)
        return;
    const int owner = m_which == ScheduleList::Detail && m_hooks.owner ? m_hooks.owner() : -1;
    if (m_which == ScheduleList::Detail && owner < 0)
        return;
    ScheduleDocument &document = m_context.document;
    const StepKind direction = target < from ? StepKind::MoveUp : StepKind::MoveDown;
    auto *group = new StepGroup(document, m_view, m_which, owner, direction);
    const int step = target < from ? -1 : 1;
    for (int row = from; row != target; row += step) {
        if (m_which == ScheduleList::Advance)
            group->add(MakeMoveStep<AdvanceSchedule>(document, m_view, m_which, owner, row,
                                                     direction));
        else
            group->add(
                    MakeMoveStep<ScheduleEntry>(document, m_view, m_which, owner, row, direction));
    }
    m_hooks.push(group);
}

void MainForm::connectListDrops()
{
    const auto push = [this](EditStep *step) { PushStep(step); };
    m_listWatchers.push_back(
            new ListDrops(NormalList, m_context, *this, ScheduleList::Basic, {{}, push}));
    m_listWatchers.push_back(
            new ListDrops(AdvanceList, m_context, *this, ScheduleList::Advance, {{}, push}));
    m_listWatchers.push_back(new ListDrops(DetailList, m_context, *this, ScheduleList::Detail,
                                           {[this] { return SelectedDetailOwner(); }, push}));
}

} // namespace nerav
