#include "PlanTable.h"

#include "DurationText.h"
#include "InterfaceText.h"
#include "MediaCheckText.h"
#include "PublishProblemText.h"
#include "SizeText.h"

#include <QDir>
#include <QHeaderView>
#include <QStyle>

namespace nerav {

namespace {

// The dash of a duration that is not a time: a picture's, or one not known.
const QChar NoDuration(0x2014);

} // namespace

PlanTable::PlanTable(const InterfaceText &text, QWidget *parent)
    : QTableWidget(0, ColumnCount, parent), m_text(text)
{
    setObjectName(QStringLiteral("PlanTable"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Tab leaves the table in one step; the arrow keys move inside it.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
}

void PlanTable::applyTexts()
{
    const PublishTable &texts = m_text.publish;
    setHorizontalHeaderLabels({m_text.captions.fileNameHeading, texts.sizeHeading,
                               texts.durationHeading, texts.actionHeading, texts.playerHeading,
                               texts.foundHeading});
    setAccessibleName(texts.planTableName);
}

QString PlanTable::ActionText(PublishAction action) const
{
    const PublishTable &texts = m_text.publish;
    switch (action) {
    case PublishAction::Copy:
        return texts.actionCopy;
    case PublishAction::Replace:
        return texts.actionReplace;
    case PublishAction::UpToDate:
        return texts.actionUpToDate;
    case PublishAction::Missing:
        return texts.actionMissing;
    case PublishAction::Duplicate:
        return texts.actionDuplicate;
    case PublishAction::Damaged:
        return texts.actionDamaged;
    }
    return QString();
}

QTableWidgetItem *PlanTable::DurationItem(const PublishRow &row) const
{
    const RowMedia &media = row.media;
    auto *item = new QTableWidgetItem;
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (media.durationMs >= 0) {
        item->setText(DurationText(media.durationMs));
        return item;
    }
    // A dash (or nothing, before the file is read) is said in words.
    if (media.read)
        item->setText(NoDuration);
    item->setData(Qt::AccessibleTextRole,
                  media.picture ? m_text.publish.pictureDuration : m_text.publish.unknownDuration);
    return item;
}

QTableWidgetItem *PlanTable::PlayerItem(const PublishRow &row) const
{
    auto *item = new QTableWidgetItem;
    if (!row.media.check)
        return item;
    const MediaCheck &check = *row.media.check;
    item->setText(MediaStateText(check.state, m_text.media));
    if (row.media.warns()) {
        const QString why = m_text.publish.warningLine.arg(PublishWarningText(row, m_text));
        item->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
        item->setToolTip(why);
        item->setData(Qt::AccessibleTextRole, why);
    }
    return item;
}

void PlanTable::showPlan(const PublishPlan &plan, const QString &mediaFolder)
{
    const QDir media(mediaFolder);
    const bool schedule = !plan.request.scheduleName.isEmpty();
    setRowCount(int(plan.rows.size() + std::size_t(plan.extras.size())) + (schedule ? 1 : 0));
    int line = 0;
    for (const PublishRow &row : plan.rows) {
        setItem(line, NameColumn, new QTableWidgetItem(row.name));
        setItem(line, SizeColumn, new QTableWidgetItem(SizeText(row.size, m_text.publish)));
        setItem(line, DurationColumn, DurationItem(row));
        setItem(line, ActionColumn, new QTableWidgetItem(ActionText(row.action)));
        setItem(line, PlayerColumn, PlayerItem(row));
        setItem(line, FoundColumn,
                new QTableWidgetItem(QDir::toNativeSeparators(
                        row.found.isEmpty() ? QString() : media.relativeFilePath(row.source()))));
        // A name that stops the publish stands out in the list; its action says why.
        if (row.action == PublishAction::Missing || row.action == PublishAction::Duplicate)
            for (int column = 0; column < ColumnCount; ++column)
                item(line, column)->setForeground(Qt::red);
        ++line;
    }
    // The schedule file, written last, is a row of its own.
    if (schedule) {
        setItem(line, NameColumn, new QTableWidgetItem(plan.request.scheduleName));
        for (int column : {SizeColumn, DurationColumn, PlayerColumn, FoundColumn})
            setItem(line, column, new QTableWidgetItem);
        setItem(line, ActionColumn,
                new QTableWidgetItem(ScheduleFileText(plan.scheduleFile, m_text.publish)));
        ++line;
    }
    for (const QString &extra : plan.extras) {
        setItem(line, NameColumn, new QTableWidgetItem(extra));
        for (int column : {SizeColumn, DurationColumn, PlayerColumn, FoundColumn})
            setItem(line, column, new QTableWidgetItem);
        setItem(line, ActionColumn,
                new QTableWidgetItem(PublishExtraText(plan, extra, m_text.publish)));
        ++line;
    }
    // The last column keeps filling the rest of the width.
    for (int column = 0; column + 1 < ColumnCount; ++column)
        resizeColumnToContents(column);
}

} // namespace nerav
