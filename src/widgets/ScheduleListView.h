#pragma once

// A list of the schedule in the lists' fixed-pitch font, one row selected at a time, that
// reports the keys of its list commands: Enter modifies the row, Delete removes it, Ctrl+Up
// and Ctrl+Down move it. The keys are taken even where the command may not run, so Ctrl+Up
// never moves the cursor instead. Only the list that has the focus shows its selection in
// full; the others show it dimmed, also where the desktop's palette draws both alike.

#include "ScheduleSteps.h"

#include <QListView>

namespace nerav {

class ScheduleListView : public QListView
{
    Q_OBJECT

public:
    explicit ScheduleListView(QWidget *parent = nullptr);

    int count() const;
    // The current row; -1 for none.
    int currentRow() const;
    void setCurrentRow(int row);
    QModelIndex rowIndex(int row) const;
    QString rowText(int row) const;
    // Where the row is drawn, in the viewport's coordinates.
    QRect rowRect(int row) const;

signals:
    void commandKey(nerav::StepKind kind);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void initViewItemOption(QStyleOptionViewItem *option) const override;
};

} // namespace nerav
