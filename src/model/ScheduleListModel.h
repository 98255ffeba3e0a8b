#pragma once

// One list of the schedule as an item model: the basic entries, the advance schedules, or the
// details of the advance schedule the ScheduleModel shows. Each row's display text is the
// padded text the lists have always shown; the roles below give its parts one by one, and
// the tooltip and accessible description roles say the row in words, with what the media
// survey learnt of an entry's file and of an advance schedule's running time.
//
// Rows are dragged within their list (an undoable move) and media files are dropped on the
// basic and detail lists (undoable additions); both go through mimeData/dropMimeData.

#include "ScheduleSelection.h"

#include <QAbstractListModel>

namespace nerav {

class ScheduleModel;

class ScheduleListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        FileNameRole = Qt::UserRole + 1, // "SONG.MP3"
        PlayTimesRole,
        VolumeRole, // DefaultVolume for the default
        StartRole, // "2007/01/01 00:00:00"
        StopRole,
        WeekDayRole, // 0 Sunday .. 6 Saturday, 7 every day
        EntryCountRole,
        // An entry's file, once the media survey has looked for it (none before): its duration
        // in milliseconds (-1 for a picture or when unknown), its MediaState and the reason.
        DurationRole,
        MediaStateRole,
        MediaReasonRole,
        // An advance schedule's playlist against its daily window, while media is surveyed.
        WindowFitRole,
    };

    ScheduleListModel(ScheduleModel &schedule, ScheduleList list);

    ScheduleList list() const { return m_list; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;
    // Moves one row to the place before destinationChild as one undoable step.
    bool moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                  const QModelIndex &destinationParent, int destinationChild) override;

private:
    friend class ScheduleModel; // it announces the changes it makes to the rows

    bool acceptsFiles() const;

    ScheduleModel &m_schedule;
    ScheduleList m_list;
};

} // namespace nerav
