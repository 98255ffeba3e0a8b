// Shows the calendar of a December sample schedule in Japanese (or in English with "en" after
// the folder), with one schedule selected in the main window, and saves a picture of it for the
// documentation as calendar.png (calendar-en.png). Built on request only:
// scripts/calendar-screenshot.sh.

#include "CalendarForm.h"
#include "FakePlatform.h"
#include "MainForm.h"
#include "ScheduleListView.h"
#include "ScheduleModel.h"
#include "ScheduleSession.h"
#include "Settings.h"
#include "TestEntries.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>

using namespace nerav;

namespace {

AdvanceSchedule Window(QDate start, QDate stop, int weekDay, int startHour, int stopHour,
                       const QByteArray &name)
{
    AdvanceSchedule schedule;
    schedule.startYear = std::uint8_t(start.year() - 2000);
    schedule.startMonth = std::uint8_t(start.month());
    schedule.startDay = std::uint8_t(start.day());
    schedule.startHour = std::uint8_t(startHour);
    schedule.stopYear = std::uint8_t(stop.year() - 2000);
    schedule.stopMonth = std::uint8_t(stop.month());
    schedule.stopDay = std::uint8_t(stop.day());
    schedule.stopHour = std::uint8_t(stopHour);
    schedule.weekDay = std::uint8_t(weekDay);
    schedule.details = {test::MakeEntry(name, "MPG", 1, 13)};
    return schedule;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    const bool english = argc > 2 && QByteArray(argv[2]) == "en";

    test::FakeApp fake(english ? English : Japanese);
    fake.clock.date = QDate(2026, 12, 10);
    InitDefaults(fake.context.settings, QDir::tempPath() + QLatin1Char('/'));
    ScheduleDocument shown;
    shown.basicEntries = {test::MakeEntry("SHOPFRONT", "JPG", 3, 13)};
    shown.advanceSchedules = {
            Window({2026, 11, 15}, {2026, 12, 13}, 0, 13, 17, "SUNDAY"),
            Window({2026, 12, 5}, {2026, 12, 26}, 6, 9, 12, "SATURDAY"),
            Window({2026, 12, 10}, {2026, 12, 24}, EveryDay, 10, 20, "XMASSALE"),
            Window({2026, 12, 20}, {2027, 1, 5}, EveryDay, 18, 22, "ILLUMINATION"),
            Window({2026, 12, 28}, {2027, 1, 3}, EveryDay, 0, 23, "NEWYEAR"),
    };

    MainForm form(fake.context);
    form.applyCaptions();
    // A new schedule of the default name, then the one shown.
    form.session().newDocument();
    form.session().model().resetDocument(shown);
    form.show();
    form.findChild<QAction *>(QStringLiteral("subCalendar"))->trigger();
    form.findChild<ScheduleListView *>(QStringLiteral("AdvanceList"))->setCurrentRow(2);
    CalendarForm *calendar = form.calendar();
    calendar->resize(1180, 820);
    calendar->move(0, 0);
    if (!QTest::qWaitForWindowExposed(calendar))
        return 1;
    QTest::qWait(300);
    const QString name =
            english ? QStringLiteral("/calendar-en.png") : QStringLiteral("/calendar.png");
    return calendar->grab().save(folder + name) ? 0 : 1;
}
