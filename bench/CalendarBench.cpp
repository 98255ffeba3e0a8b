#include "BenchFigures.h"
#include "LargestSchedule.h"
#include "Measure.h"
#include "WindowTiming.h"

#include "CalendarForm.h"
#include "CalendarMonthView.h"
#include "QtPlatform.h"
#include "Settings.h"

#include <QApplication>
#include <QCalendarWidget>
#include <functional>

namespace nerav {

namespace {

constexpr int yearRuns = 11;

} // namespace

void CalendarFigures(const BenchSettings &)
{
    QtPlatform services;
    AppContext context(services.platform());
    InitDefaults(context.settings, QString());
    LoadInterfaceText(context.text, Japanese);
    const ScheduleDocument document = MostAdvanceSchedules();

    // Opening: the window made, shown and painted on the month of the first schedule.
    const long long openStart = SteadyNowNs();
    CalendarForm calendar(context, document);
    calendar.resize(1200, 860);
    calendar.showSchedule(0);
    calendar.show();
    WaitUntilExposed(calendar);
    const double openMs = double(SteadyNowNs() - openStart) / 1e6;

    // The baseline: Qt's own month calendar, as large, beside it.
    QCalendarWidget plain;
    plain.resize(calendar.monthView()->size());
    plain.move(calendar.frameGeometry().right() + 20, 0);
    plain.show();
    WaitUntilExposed(plain);

    CalendarMonthView &view = *calendar.monthView();
    std::vector<double> ms, plainMs;
    int overlapDays = 0;
    for (int run = 0; run < yearRuns + 1; ++run) {
        view.setCurrentDay(QDate(2026, 1, 1));
        plain.setCurrentPage(2026, 1);
        QApplication::processEvents();
        for (int month = 0; month < 12; ++month) {
            const double taken =
                    TimedWithPaint([&] { view.setCurrentDay(view.currentDay().addMonths(1)); });
            const double plainTaken = TimedWithPaint([&] { plain.showNextMonth(); });
            if (run == 0) { // the first year only warms up
                overlapDays += int(view.schedulesShownOn(QDate(2026, 12, 15)).size() >= 2);
                continue;
            }
            ms.push_back(taken);
            plainMs.push_back(plainTaken);
        }
    }
    const double median = Median(ms);
    const double worst = *std::max_element(ms.begin(), ms.end());
    PrintFigure(QStringLiteral("calendar (250 advance schedules, month by month through a year): "
                               "%1 ms per month (goal < 16 ms, %2), worst %3 ms; "
                               "QCalendarWidget %4 ms; opening %5 ms  [with the repaint, "
                               "median of %6 months]")
                        .arg(Fixed(median, 2),
                             median < 16.0 ? QStringLiteral("within") : QStringLiteral("OVER"),
                             Fixed(worst, 2), Fixed(Median(plainMs), 2), Fixed(openMs, 1))
                        .arg(ms.size()));
    if (overlapDays == 0)
        PrintFigure(QStringLiteral("calendar: warning, the schedule shows no overlap"));
}

} // namespace nerav
