// The start and stop texts of an advance schedule: padding, the stored year, foreign values.

#include "ScheduleTexts.h"

#include <gtest/gtest.h>

using namespace nerav;

namespace {

struct WindowCase
{
    AdvanceSchedule schedule;
    const char *startDate;
    const char *startTime;
    const char *stopDate;
    const char *stopTime;
};

AdvanceSchedule Window(int startYear, int startMonth, int startDay, int startHour, int startMinute,
                       int startSecond, int stopYear, int stopMonth, int stopDay, int stopHour,
                       int stopMinute, int stopSecond)
{
    AdvanceSchedule s;
    s.startYear = std::uint8_t(startYear);
    s.startMonth = std::uint8_t(startMonth);
    s.startDay = std::uint8_t(startDay);
    s.startHour = std::uint8_t(startHour);
    s.startMinute = std::uint8_t(startMinute);
    s.startSecond = std::uint8_t(startSecond);
    s.stopYear = std::uint8_t(stopYear);
    s.stopMonth = std::uint8_t(stopMonth);
    s.stopDay = std::uint8_t(stopDay);
    s.stopHour = std::uint8_t(stopHour);
    s.stopMinute = std::uint8_t(stopMinute);
    s.stopSecond = std::uint8_t(stopSecond);
    return s;
}

class ScheduleTexts : public testing::TestWithParam<WindowCase>
{
};

TEST_P(ScheduleTexts, ShowsStartAndStop)
{
    const WindowCase &c = GetParam();
    EXPECT_EQ(StartDateText(c.schedule), c.startDate);
    EXPECT_EQ(StartTimeText(c.schedule), c.startTime);
    EXPECT_EQ(StopDateText(c.schedule), c.stopDate);
    EXPECT_EQ(StopTimeText(c.schedule), c.stopTime);
}

INSTANTIATE_TEST_SUITE_P(
        Windows, ScheduleTexts,
        testing::Values(
                // Each part padded on its own, start and stop not mixed up.
                WindowCase {Window(7, 1, 2, 9, 5, 3, 8, 12, 31, 23, 59, 58), "2007/01/02",
                            "09:05:03", "2008/12/31", "23:59:58"},
                // The stored year is counted from 2000.
                WindowCase {Window(0, 1, 1, 0, 0, 0, 99, 10, 10, 10, 10, 10), "2000/01/01",
                            "00:00:00", "2099/10/10", "10:10:10"},
                // Values only a foreign file holds keep all their digits.
                WindowCase {Window(255, 255, 100, 255, 99, 60, 155, 13, 32, 24, 60, 255),
                            "2255/255/100", "255:99:60", "2155/13/32", "24:60:255"}));

TEST(ScheduleTextsSeparator, JoinsEveryDatePart)
{
    const AdvanceSchedule s = Window(7, 1, 2, 0, 0, 0, 8, 3, 4, 0, 0, 0);
    EXPECT_EQ(StartDateText(s, '-'), "2007-01-02");
    EXPECT_EQ(StopDateText(s, '-'), "2008-03-04");
}

} // namespace
