#include "CalendarDayAccessible.h"

#include "CalendarMonthView.h"

#include <QWindow>

namespace nerav {

CalendarDayAccessible::CalendarDayAccessible(CalendarMonthView *view, int position)
    : m_view(view), m_position(position)
{
}

bool CalendarDayAccessible::isValid() const
{
    return !m_view.isNull();
}

QWindow *CalendarDayAccessible::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface *CalendarDayAccessible::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}

QString CalendarDayAccessible::text(QAccessible::Text t) const
{
    return m_view && t == QAccessible::Name ? m_view->dayName(m_position) : QString();
}

QRect CalendarDayAccessible::rect() const
{
    if (!m_view)
        return QRect();
    const QRect cell = m_view->dayRect(m_position);
    return QRect(m_view->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::State CalendarDayAccessible::state() const
{
    QAccessible::State state;
    if (!m_view) {
        state.invalid = true;
        return state;
    }
    state.focusable = true;
    state.selectable = true;
    state.selected = isSelected();
    state.focused = state.selected && m_view->hasFocus();
    state.invisible = !m_view->isVisible();
    return state;
}

void *CalendarDayAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(this);
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

bool CalendarDayAccessible::isSelected() const
{
    return m_view && m_view->currentPosition() == m_position;
}

int CalendarDayAccessible::columnIndex() const
{
    return m_position % CalendarMonthView::DaysPerWeek;
}

int CalendarDayAccessible::rowIndex() const
{
    return m_position / CalendarMonthView::DaysPerWeek;
}

QStringList CalendarDayAccessible::actionNames() const
{
    return {setFocusAction()};
}

void CalendarDayAccessible::doAction(const QString &actionName)
{
    if (!m_view || actionName != setFocusAction())
        return;
    m_view->setFocus();
    m_view->setCurrentDay(m_view->dayAt(m_position));
}

} // namespace nerav
