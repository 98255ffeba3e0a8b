// Writes a small sample schedule, for the screenshot of the main window:
//     make_sample_schedule <folder/> <name>

#include "ScheduleFile.h"
#include "TestEntries.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace nerav;
using nerav::test::MakeEntry;

namespace {

// A fixed sequence, so the sample file is the same every time.
class FixedRandom : public RandomReal
{
public:
    double next() override
    {
        m_state = m_state * 1103515245u + 12345u;
        return double(m_state >> 8) / double(1u << 24);
    }

private:
    unsigned m_state = 2007;
};

AdvanceSchedule window(int startYear, int startMonth, int startDay, int stopYear, int stopMonth,
                       int stopDay, int weekDay, std::vector<ScheduleEntry> details)
{
    AdvanceSchedule schedule;
    schedule.startYear = std::uint8_t(startYear - 2000);
    schedule.startMonth = std::uint8_t(startMonth);
    schedule.startDay = std::uint8_t(startDay);
    schedule.startHour = 9;
    schedule.stopYear = std::uint8_t(stopYear - 2000);
    schedule.stopMonth = std::uint8_t(stopMonth);
    schedule.stopDay = std::uint8_t(stopDay);
    schedule.stopHour = 18;
    schedule.weekDay = std::uint8_t(weekDay);
    schedule.details = std::move(details);
    return schedule;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3) {
        QTextStream(stderr) << "usage: make_sample_schedule <folder/> <name>\n";
        return 2;
    }

    ScheduleDocument document;
    document.basicEntries = {
            MakeEntry("OPENING", "MPG", 1, 10),          MakeEntry("SHOPFRONT", "JPG", 3, 13),
            MakeEntry("WELCOME", "AVI", 2, 8),           MakeEntry("BGM01", "MP3", 10, 5),
            MakeEntry("SPRINGSALE2007", "VOB", 100, 12), MakeEntry("MENU", "JPG", 0, 0)};
    document.advanceSchedules = {
            window(2006, 12, 28, 2007, 1, 5, 3,
                   {MakeEntry("NEWYEAR", "MPG", 5, 13), MakeEntry("BGM02", "MP3", 20, 6)}),
            window(2007, 2, 1, 2007, 2, 14, 7, {MakeEntry("VALENTINE", "AVI", 3, 9)}),
            window(2007, 3, 3, 2007, 3, 31, 6,
                   {MakeEntry("HINAMATSURI", "JPG", 1, 13), MakeEntry("SALE", "DAT", 12, 12),
                    MakeEntry("CLOSING", "MPG", 1, 4)}),
    };

    FixedRandom random;
    const ScheduleFileResult result =
            WriteScheduleFile(arguments[1], arguments[2], document, random);
    if (!result) {
        QTextStream(stderr) << result.reason << '\n';
        return 1;
    }
    return 0;
}
