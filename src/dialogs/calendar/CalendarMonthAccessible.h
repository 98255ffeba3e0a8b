#pragma once

// What screen readers see of the month view: a table of six weeks by seven days whose cells
// (CalendarDayAccessible) are named with the day and its schedules; the current day is the
// selected cell and, while the view has focus, the focused one. Its name is the month's title,
// its description the legend.

#include <QAccessibleTableInterface>
#include <QAccessibleWidget>
#include <array>

namespace nerav {

class CalendarMonthView;

class CalendarMonthAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit CalendarMonthAccessible(CalendarMonthView *view);
    ~CalendarMonthAccessible() override;

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return QString(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { }

private:
    CalendarMonthView *view() const;

    // The cells are made when first asked for and live as long as this table; 0 for none yet.
    mutable std::array<QAccessible::Id, 42> m_cells {};
};

// Lets QAccessible give the calendar's window and month view their interfaces; once per run.
void InstallCalendarAccessibility();

} // namespace nerav
