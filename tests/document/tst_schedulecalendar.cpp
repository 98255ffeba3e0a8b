// The rule "on a day": which advance schedules a calendar day belongs to.

#include "ScheduleCalendar.h"

#include <gtest/gtest.h>

using namespace nerav;

namespace {

struct DayCase
{
    const char *what;
    int start[3]; // stored year (minus 2000), month, day
    int stop[3];
    int weekDay;
    CalendarDay day;
    bool on;
};

AdvanceSchedule Window(const int (&start)[3], const int (&stop)[3], int weekDay)
{
    AdvanceSchedule schedule;
    schedule.startYear = std::uint8_t(start[0]);
    schedule.startMonth = std::uint8_t(start[1]);
    schedule.startDay = std::uint8_t(start[2]);
    schedule.stopYear = std::uint8_t(stop[0]);
    schedule.stopMonth = std::uint8_t(stop[1]);
    schedule.stopDay = std::uint8_t(stop[2]);
    schedule.weekDay = std::uint8_t(weekDay);
    return schedule;
}

class OnDayRule : public testing::TestWithParam<DayCase>
{
};

std::string CaseName(const testing::TestParamInfo<DayCase> &info)
{
    return info.param.what;
}

} // namespace

TEST_P(OnDayRule, Table)
{
    const DayCase &c = GetParam();
    EXPECT_EQ(OnDay(Window(c.start, c.stop, c.weekDay), c.day), c.on);
}

INSTANTIATE_TEST_SUITE_P(
        Days, OnDayRule,
        testing::Values(
                DayCase {"MonthEndInside", {7, 1, 30}, {7, 2, 2}, 7, {2007, 1, 31}, true},
                DayCase {"NextMonthInside", {7, 1, 30}, {7, 2, 2}, 7, {2007, 2, 1}, true},
                DayCase {"DayBeforeStart", {7, 1, 30}, {7, 2, 2}, 7, {2007, 1, 29}, false},
                DayCase {"DayAfterStop", {7, 1, 30}, {7, 2, 2}, 7, {2007, 2, 3}, false},
                DayCase {"YearEndInside", {6, 12, 28}, {7, 1, 5}, 7, {2006, 12, 31}, true},
                DayCase {"NewYearInside", {6, 12, 28}, {7, 1, 5}, 7, {2007, 1, 1}, true},
                DayCase {"StartDayIncluded", {6, 12, 28}, {7, 1, 5}, 7, {2006, 12, 28}, true},
                DayCase {"StopDayIncluded", {6, 12, 28}, {7, 1, 5}, 7, {2007, 1, 5}, true},
                DayCase {"SameDayOtherYear", {6, 12, 28}, {7, 1, 5}, 7, {2007, 12, 30}, false},
                DayCase {"LeapDayInside", {8, 2, 28}, {8, 3, 1}, 7, {2008, 2, 29}, true},
                DayCase {"ImpossibleStartComparedAsNumbers",
                         {7, 2, 29},
                         {7, 3, 1},
                         7,
                         {2007, 3, 1},
                         true},
                DayCase {"ImpossibleStopComparedAsNumbers",
                         {7, 2, 1},
                         {7, 2, 31},
                         7,
                         {2007, 3, 1},
                         false},
                DayCase {"ThursdayOnThursday", {6, 12, 28}, {7, 1, 5}, 4, {2006, 12, 28}, true},
                DayCase {"ThursdayOnFriday", {6, 12, 28}, {7, 1, 5}, 4, {2006, 12, 29}, false},
                DayCase {"ThursdayNextWeek", {6, 12, 28}, {7, 1, 5}, 4, {2007, 1, 4}, true},
                DayCase {"SundayOnSunday", {6, 12, 28}, {7, 1, 5}, 0, {2006, 12, 31}, true},
                DayCase {"SaturdayOnSunday", {6, 12, 28}, {7, 1, 5}, 6, {2006, 12, 31}, false},
                DayCase {"ForeignWeekDayOnNoDay", {6, 12, 28}, {7, 1, 5}, 9, {2006, 12, 31}, false},
                DayCase {"OneDayWindow", {8, 2, 29}, {8, 2, 29}, 7, {2008, 2, 29}, true},
                DayCase {"OneDayWindowItsWeekDay", {8, 2, 29}, {8, 2, 29}, 5, {2008, 2, 29}, true},
                DayCase {"OneDayWindowOtherWeekDay",
                         {8, 2, 29},
                         {8, 2, 29},
                         4,
                         {2008, 2, 29},
                         false},
                DayCase {"OneDayWindowDayBefore", {8, 2, 29}, {8, 2, 29}, 7, {2008, 2, 28}, false},
                DayCase {"OneDayWindowDayAfter", {8, 2, 29}, {8, 2, 29}, 7, {2008, 3, 1}, false},
                DayCase {"StartAfterStopAtStart", {7, 1, 5}, {6, 12, 28}, 7, {2007, 1, 5}, false},
                DayCase {"StartAfterStopBetween", {7, 1, 5}, {6, 12, 28}, 7, {2007, 1, 1}, false},
                DayCase {"StartAfterStopAtStop", {7, 1, 5}, {6, 12, 28}, 7, {2006, 12, 28}, false},
                DayCase {"FirstListDay", {0, 1, 1}, {99, 12, 31}, 7, {2000, 1, 1}, true},
                DayCase {"LastListDay", {0, 1, 1}, {99, 12, 31}, 7, {2099, 12, 31}, true},
                DayCase {"DayBefore2000", {0, 0, 0}, {99, 12, 31}, 7, {1999, 12, 31}, false},
                DayCase {"DayAfter2099", {0, 1, 1}, {99, 12, 31}, 7, {2100, 1, 1}, false},
                DayCase {"ForeignYear2255", {0, 1, 1}, {255, 12, 31}, 7, {2255, 12, 31}, true},
                DayCase {"DayAfterForeignYear", {0, 1, 1}, {255, 12, 31}, 7, {2256, 1, 1}, false}),
        CaseName);

TEST(WeekDay, KnownDates)
{
    EXPECT_EQ(WeekDayOf({2000, 1, 1}), 6);
    EXPECT_EQ(WeekDayOf({2000, 2, 29}), 2);
    EXPECT_EQ(WeekDayOf({2006, 12, 28}), 4);
    EXPECT_EQ(WeekDayOf({2007, 1, 1}), 1);
    EXPECT_EQ(WeekDayOf({2008, 2, 29}), 5);
    EXPECT_EQ(WeekDayOf({2099, 12, 31}), 4);
    EXPECT_EQ(WeekDayOf({2100, 3, 1}), 1);
}

TEST(SchedulesOnDay, ListOrderOverlapAndBasicOnly)
{
    ScheduleDocument document;
    document.advanceSchedules = {Window({6, 12, 28}, {7, 1, 5}, 7), Window({7, 1, 1}, {7, 1, 1}, 7),
                                 Window({6, 12, 1}, {7, 12, 31}, 1)};
    EXPECT_EQ(SchedulesOnDay(document, {2007, 1, 1}), (std::vector<int> {0, 1, 2}));
    EXPECT_EQ(SchedulesOnDay(document, {2007, 1, 2}), (std::vector<int> {0}));
    EXPECT_TRUE(SchedulesOnDay(document, {2007, 1, 6}).empty());
    EXPECT_TRUE(SchedulesOnDay(ScheduleDocument {}, {2007, 1, 1}).empty());
}
