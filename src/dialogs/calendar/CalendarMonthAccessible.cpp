#include "CalendarMonthAccessible.h"

#include "CalendarDayAccessible.h"
#include "CalendarForm.h"
#include "CalendarMonthView.h"

namespace nerav {

namespace {

QAccessibleInterface *CalendarInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String(CalendarMonthView::staticMetaObject.className()))
        return new CalendarMonthAccessible(static_cast<CalendarMonthView *>(object));
    // A window of its own, named by its title (a plain widget would be an unnamed filler).
    if (className == QLatin1String(CalendarForm::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

void InstallCalendarAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&CalendarInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

static_assert(CalendarMonthView::DayCount == 42, "one cell per day of the grid");

CalendarMonthAccessible::CalendarMonthAccessible(CalendarMonthView *view)
    : QAccessibleWidget(view, QAccessible::Table)
{
}

CalendarMonthAccessible::~CalendarMonthAccessible()
{
    for (QAccessible::Id id : m_cells) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
}

CalendarMonthView *CalendarMonthAccessible::view() const
{
    return static_cast<CalendarMonthView *>(widget());
}

void *CalendarMonthAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString CalendarMonthAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return view()->texts().monthTitle(view()->currentDay());
    if (t == QAccessible::Description)
        return view()->texts().legend();
    return QAccessibleWidget::text(t);
}

int CalendarMonthAccessible::childCount() const
{
    return CalendarMonthView::DayCount;
}

QAccessibleInterface *CalendarMonthAccessible::child(int index) const
{
    if (index < 0 || index >= CalendarMonthView::DayCount)
        return nullptr;
    QAccessible::Id &id = m_cells[size_t(index)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new CalendarDayAccessible(view(), index));
    return QAccessible::accessibleInterface(id);
}

int CalendarMonthAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    QAccessibleInterface *cell = const_cast<QAccessibleInterface *>(child);
    QAccessibleTableCellInterface *place = cell ? cell->tableCellInterface() : nullptr;
    if (!place || place->table() != this)
        return -1;
    return place->rowIndex() * columnCount() + place->columnIndex();
}

QAccessibleInterface *CalendarMonthAccessible::childAt(int x, int y) const
{
    return child(view()->positionAt(view()->mapFromGlobal(QPoint(x, y))));
}

QAccessibleInterface *CalendarMonthAccessible::focusChild() const
{
    return view()->hasFocus() ? child(view()->currentPosition()) : nullptr;
}

QAccessibleInterface *CalendarMonthAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return child(row * columnCount() + column);
}

int CalendarMonthAccessible::selectedCellCount() const
{
    return view()->currentPosition() < 0 ? 0 : 1;
}

QList<QAccessibleInterface *> CalendarMonthAccessible::selectedCells() const
{
    QAccessibleInterface *current = child(view()->currentPosition());
    return current ? QList<QAccessibleInterface *> {current} : QList<QAccessibleInterface *>();
}

QString CalendarMonthAccessible::columnDescription(int column) const
{
    return column >= 0 && column < columnCount() ? view()->texts().weekDayName(column) : QString();
}

int CalendarMonthAccessible::columnCount() const
{
    return CalendarMonthView::DaysPerWeek;
}

int CalendarMonthAccessible::rowCount() const
{
    return CalendarMonthView::Weeks;
}

} // namespace nerav
