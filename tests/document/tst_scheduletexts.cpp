// The start and stop texts of an advance schedule: padding, the stored year, foreign values.

#include "ScheduleTexts.h"

#include <gtest/gtest.h>

#include <array>

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

// Year (less 2000), month, day, hour, minute, second of the start and of the stop.
AdvanceSchedule Window(const std::array<int, 6> &start, const std::array<int, 6> &stop)
{
    AdvanceSchedule s;
    std::uint8_t *const starts[] = {&s.startYear, &s.startMonth,  &s.startDay,
                                    &s.startHour, &s.startMinute, &s.startSecond};
    std::uint8_t *const stops[] = {&s.stopYear, &s.stopMonth,  &s.stopDay,
                                   &s.stopHour, &s.stopMinute, &s.stopSecond};
    for (std::size_t i = 0; i < start.size(); ++i) {
        *starts[i] = std::uint8_t(start[i]);
        *stops[i] = std::uint8_t(stop[i]);
    }
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
                WindowCase {Window({7, 1, 2, 9, 5, 3}, {8, 12, 31, 23, 59, 58}), "2007/01/02",
                            "09:05:03", "2008/12/31", "23:59:58"},
                // The stored year is counted from 2000.
                WindowCase {Window({0, 1, 1, 0, 0, 0}, {99, 10, 10, 10, 10, 10}), "2000/01/01",
                            "00:00:00", "2099/10/10", "10:10:10"},
                // Values only a foreign file holds keep all their digits.
                WindowCase {Window({255, 255, 100, 255, 99, 60}, {155, 13, 32, 24, 60, 255}),
                            "2255/255/100", "255:99:60", "2155/13/32", "24:60:255"}));

TEST(ScheduleTextsSeparator, JoinsEveryDatePart)
{
    const AdvanceSchedule s = Window({7, 1, 2, 0, 0, 0}, {8, 3, 4, 0, 0, 0});
    EXPECT_EQ(StartDateText(s, '-'), "2007-01-02");
    EXPECT_EQ(StopDateText(s, '-'), "2008-03-04");
}

} // namespace
