#pragma once

// The publish dialog's table: one row per media name with its size, duration, what the publish
// does with it, what the media check says and where its original is; then the schedule file;
// then the medium's files the schedule does not name. A warning shows as an icon beside its words,
// never as a colour alone, and a screen reader reads the reason with the cell.

#include "PublishPlan.h"

#include <QTableWidget>

namespace nerav {

struct InterfaceText;

class PlanTable : public QTableWidget
{
    Q_OBJECT

public:
    enum Column {
        NameColumn,
        SizeColumn,
        DurationColumn,
        ActionColumn,
        PlayerColumn,
        FoundColumn,
        ColumnCount
    };

    PlanTable(const InterfaceText &text, QWidget *parent = nullptr);

    void applyTexts();
    // mediaFolder: where the "found in" paths start.
    void showPlan(const PublishPlan &plan, const QString &mediaFolder);

private:
    QString ActionText(PublishAction action) const;
    QTableWidgetItem *DurationItem(const PublishRow &row) const;
    QTableWidgetItem *PlayerItem(const PublishRow &row) const;

    const InterfaceText &m_text;
};

} // namespace nerav
