#include "ScheduleListModel.h"

#include "MediaCheckText.h"
#include "MediaRowText.h"
#include "RowFormat.h"
#include "ScheduleModel.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

namespace nerav {

namespace {

// A dragged row: which list, the schedule whose details it is, and the row.
const QString DraggedRowFormat = QStringLiteral("application/x-nerav-schedule-row");

struct DraggedRow
{
    int list = -1;
    int owner = -1;
    int row = -1;
};

QByteArray EncodeRow(const DraggedRow &dragged)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(dragged.list) << qint32(dragged.owner) << qint32(dragged.row);
    return bytes;
}

DraggedRow DecodeRow(const QByteArray &bytes)
{
    QDataStream in(bytes);
    qint32 list = -1, owner = -1, row = -1;
    in >> list >> owner >> row;
    if (in.status() != QDataStream::Ok)
        return {};
    return {list, owner, row};
}

QVariant EntryData(const ScheduleEntry &entry, int role, const ScheduleModel &schedule)
{
    const CaptionTable &captions = schedule.text().captions;
    const MediaTable &texts = schedule.text().media;
    switch (role) {
    case Qt::DisplayRole:
        return FormatEntryRow(entry, captions);
    case ScheduleListModel::FileNameRole:
        return EntryFileName(entry);
    case ScheduleListModel::PlayTimesRole:
        return int(entry.playTimes);
    case ScheduleListModel::VolumeRole:
        return int(entry.volume);
    default:
        break;
    }
    const EntryMedia *media = schedule.media().find(entry);
    switch (role) {
    case Qt::ToolTipRole:
        return media ? QVariant(DescribeEntryMedia(*media, texts, true).join(u'\n')) : QVariant();
    case Qt::AccessibleDescriptionRole: {
        QStringList parts {DescribeEntryRow(entry, captions)};
        if (media)
            parts << DescribeEntryMedia(*media, texts, false);
        return parts.join(QStringLiteral(", "));
    }
    case ScheduleListModel::DurationRole:
        if (!media)
            return {};
        return media->probe && !media->probe.facts.picture ? media->probe.facts.durationMs
                                                           : qint64(-1);
    case ScheduleListModel::MediaStateRole:
        return media && media->check ? QVariant(int(media->check->state)) : QVariant();
    case ScheduleListModel::MediaReasonRole:
        return media && media->check ? QVariant(MediaCheckReason(*media->check, texts))
                                     : QVariant();
    default:
        return {};
    }
}

QVariant ScheduleData(const AdvanceSchedule &schedule, int role, const ScheduleModel &model)
{
    const CaptionTable &captions = model.text().captions;
    switch (role) {
    case Qt::DisplayRole:
        return FormatAdvanceRow(schedule, captions);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        QStringList parts = DescribeAdvanceWindow(schedule, captions);
        const QString fit = WindowFitOf(model.media(), schedule, model.text().media);
        if (!fit.isEmpty())
            parts << fit;
        return parts.join(role == Qt::ToolTipRole ? QStringLiteral("\n") : QStringLiteral(", "));
    }
    case ScheduleListModel::StartRole:
        return FormatWindowStart(schedule);
    case ScheduleListModel::StopRole:
        return FormatWindowStop(schedule);
    case ScheduleListModel::WeekDayRole:
        return int(schedule.weekDay);
    case ScheduleListModel::EntryCountRole:
        return schedule.detailCount();
    case ScheduleListModel::WindowFitRole: {
        const QString fit = WindowFitOf(model.media(), schedule, model.text().media);
        return fit.isEmpty() ? QVariant() : QVariant(fit);
    }
    default:
        return {};
    }
}

} // namespace

ScheduleListModel::ScheduleListModel(ScheduleModel &schedule, ScheduleList list)
    : m_schedule(schedule), m_list(list)
{
}

int ScheduleListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_schedule.rowCount(m_list);
}

QVariant ScheduleListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const auto row = std::size_t(index.row());
    const ScheduleDocument &document = m_schedule.document();
    switch (m_list) {
    case ScheduleList::Basic:
        return EntryData(document.basicEntries[row], role, m_schedule);
    case ScheduleList::Advance:
        return ScheduleData(document.advanceSchedules[row], role, m_schedule);
    case ScheduleList::Detail:
        break;
    }
    const int owner = m_schedule.detailOwner();
    return EntryData(document.advanceSchedules[std::size_t(owner)].details[row], role, m_schedule);
}

QHash<int, QByteArray> ScheduleListModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert({{FileNameRole, "fileName"},
                  {PlayTimesRole, "playTimes"},
                  {VolumeRole, "volume"},
                  {StartRole, "start"},
                  {StopRole, "stop"},
                  {WeekDayRole, "weekDay"},
                  {EntryCountRole, "entryCount"},
                  {DurationRole, "duration"},
                  {MediaStateRole, "mediaState"},
                  {MediaReasonRole, "mediaReason"},
                  {WindowFitRole, "windowFit"}});
    return names;
}

Qt::ItemFlags ScheduleListModel::flags(const QModelIndex &index) const
{
    // Rows are dropped between rows, never onto one.
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
            Qt::ItemNeverHasChildren;
}

// A dragged row is copied to its new place and never removed by the view: the move is the
// model's own undoable step.
Qt::DropActions ScheduleListModel::supportedDragActions() const
{
    return Qt::CopyAction;
}

Qt::DropActions ScheduleListModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

QStringList ScheduleListModel::mimeTypes() const
{
    return {DraggedRowFormat, QStringLiteral("text/uri-list")};
}

QMimeData *ScheduleListModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.size() != 1 || !indexes.front().isValid())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(DraggedRowFormat,
                  EncodeRow({int(m_list), m_schedule.detailOwner(), indexes.front().row()}));
    return data;
}

bool ScheduleListModel::acceptsFiles() const
{
    return m_list == ScheduleList::Basic ||
            (m_list == ScheduleList::Detail && m_schedule.detailOwner() >= 0);
}

bool ScheduleListModel::canDropMimeData(const QMimeData *data, Qt::DropAction, int, int,
                                        const QModelIndex &) const
{
    if (!data)
        return false;
    if (data->hasFormat(DraggedRowFormat)) {
        const DraggedRow dragged = DecodeRow(data->data(DraggedRowFormat));
        return dragged.list == int(m_list) &&
                (m_list != ScheduleList::Detail || dragged.owner == m_schedule.detailOwner());
    }
    return data->hasUrls() && acceptsFiles();
}

bool ScheduleListModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row,
                                     int column, const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    if (row < 0)
        row = parent.isValid() ? parent.row() : rowCount();
    if (data->hasFormat(DraggedRowFormat))
        return moveRows({}, DecodeRow(data->data(DraggedRowFormat)).row, 1, {}, row);
    m_schedule.dropFiles(m_list, data->urls(), row);
    return true;
}

bool ScheduleListModel::moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                                 const QModelIndex &destinationParent, int destinationChild)
{
    if (sourceParent.isValid() || destinationParent.isValid() || count != 1)
        return false;
    return m_schedule.dragRow(m_list, sourceRow, destinationChild);
}

} // namespace nerav
