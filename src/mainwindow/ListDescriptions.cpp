#include "ListDescriptions.h"

#include "RowFormat.h"

#include <QListWidget>
#include <QTimer>

namespace nerav {

namespace {

void describeRow(QListWidgetItem *item, const QString &toolTip, const QString &description)
{
    item->setData(Qt::ToolTipRole, toolTip);
    item->setData(Qt::AccessibleDescriptionRole, description);
}

void describeEntryRows(QListWidget *list, const std::vector<ScheduleEntry> *entries,
                       const CaptionTable &captions)
{
    for (int row = 0; row < list->count(); ++row) {
        const bool known = entries && row < int(entries->size());
        describeRow(list->item(row), QString(),
                    known ? DescribeEntryRow((*entries)[std::size_t(row)], captions) : QString());
    }
}

} // namespace

ListDescriptions::ListDescriptions(const ScheduleDocument &document, const CaptionTable &captions,
                                   const Lists &lists, QObject *parent)
    : QObject(parent), m_document(document), m_captions(captions), m_lists(lists)
{
    for (QListWidget *list : {lists.normalList, lists.advanceList, lists.detailList}) {
        QAbstractItemModel *model = list->model();
        connect(model, &QAbstractItemModel::rowsInserted, this, &ListDescriptions::describeSoon);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &ListDescriptions::describeSoon);
        connect(model, &QAbstractItemModel::rowsMoved, this, &ListDescriptions::describeSoon);
        connect(model, &QAbstractItemModel::modelReset, this, &ListDescriptions::describeSoon);
        connect(model, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex &, const QModelIndex &, const QList<int> &roles) {
                    // Only a new row text asks for new descriptions, not the descriptions.
                    if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                        describeSoon();
                });
    }
    // A newly selected advance schedule brings other details into the same rows.
    connect(lists.advanceList, &QListWidget::currentRowChanged, this,
            &ListDescriptions::describeSoon);
}

void ListDescriptions::nameLists(const QString &normalTitle, const QString &advanceTitle,
                                 const QString &detailTitle)
{
    const QString entryHeadings =
            QStringList {m_captions.fileNameHeading, m_captions.playTimesHeading,
                         m_captions.volumeHeading}
                    .join(QStringLiteral(", "));
    const QString advanceHeadings =
            QStringList {m_captions.startDayHeading, m_captions.stopDayHeading,
                         m_captions.weekDayHeading}
                    .join(QStringLiteral(", "));
    m_lists.normalList->setAccessibleName(normalTitle);
    m_lists.normalList->setAccessibleDescription(entryHeadings);
    m_lists.advanceList->setAccessibleName(advanceTitle);
    m_lists.advanceList->setAccessibleDescription(advanceHeadings);
    m_lists.detailList->setAccessibleName(detailTitle);
    m_lists.detailList->setAccessibleDescription(entryHeadings);
    describeRows();
}

void ListDescriptions::describeSoon()
{
    if (m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, [this] {
        m_pending = false;
        describeRows();
    });
}

void ListDescriptions::describeRows()
{
    describeEntryRows(m_lists.normalList, &m_document.basicEntries, m_captions);

    const std::vector<AdvanceSchedule> &schedules = m_document.advanceSchedules;
    QListWidget *advance = m_lists.advanceList;
    for (int row = 0; row < advance->count(); ++row) {
        QStringList window;
        if (row < int(schedules.size()))
            window = DescribeAdvanceWindow(schedules[std::size_t(row)], m_captions);
        describeRow(advance->item(row), window.join(u'\n'), window.join(QStringLiteral(", ")));
    }

    const int owner = advance->currentRow();
    const bool ownerKnown = owner >= 0 && owner < int(schedules.size());
    describeEntryRows(m_lists.detailList,
                      ownerKnown ? &schedules[std::size_t(owner)].details : nullptr, m_captions);
}

} // namespace nerav
