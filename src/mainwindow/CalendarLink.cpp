// The calendar window of the View menu, and how it and the advance list follow each other.

#include "CalendarForm.h"
#include "MainForm.h"

#include <QAction>
#include <QListWidget>

namespace nerav {

void MainForm::connectCalendar()
{
    connect(subCalendar, &QAction::triggered, this, &MainForm::subCalendar_Click);
}

void MainForm::subCalendar_Click()
{
    if (!m_calendar) {
        m_calendar = new CalendarForm(m_context, this);
        connect(m_calendar, &CalendarForm::scheduleChosen, this, &MainForm::SelectAdvanceRow);
        // A change rebuilds the rows with the list's signals held back: the selection is
        // passed on here.
        connect(this, &MainForm::documentChanged, m_calendar, [this] {
            m_calendar->refresh();
            m_calendar->showSchedule(AdvanceList->currentRow());
        });
        connect(AdvanceList, &QListWidget::currentRowChanged, m_calendar,
                &CalendarForm::showSchedule);
        m_calendar->showSchedule(AdvanceList->currentRow());
    }
    m_calendar->show();
    m_calendar->raise();
    m_calendar->activateWindow();
}

void MainForm::SelectAdvanceRow(int row)
{
    if (row >= 0 && row < AdvanceList->count())
        AdvanceList->setCurrentRow(row);
}

} // namespace nerav
