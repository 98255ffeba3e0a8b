// The running time of a list and its daily window: what is counted, what is counted apart, and
// the texts of the times.

#include "RunningTime.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace nerav;

namespace {

// One entry of a list: its play count and what is known of its file.
struct Row
{
    int playTimes;
    EntryLength length;
};

struct SumCase
{
    const char *name;
    std::vector<Row> rows;
    RunningTime expected;
};

RunningTime Sum(const std::vector<Row> &rows)
{
    std::vector<ScheduleEntry> entries;
    std::vector<EntryLength> lengths;
    for (const Row &row : rows) {
        ScheduleEntry entry;
        entry.playTimes = std::uint8_t(row.playTimes);
        entry.fileName[0] = std::uint8_t('A' + entries.size());
        entries.push_back(entry);
        lengths.push_back(row.length);
    }
    return ListRunningTime(entries, [&](const ScheduleEntry &entry) {
        return lengths[std::size_t(entry.fileName[0] - 'A')];
    });
}

const EntryLength Picture {EntryLength::Picture, 0};
const EntryLength Unknown {};

class RunningTimeSum : public testing::TestWithParam<SumCase>
{
};

AdvanceSchedule Window(int startHour, int startMinute, int stopHour, int stopMinute,
                       int stopSecond = 0)
{
    AdvanceSchedule schedule;
    schedule.startHour = std::uint8_t(startHour);
    schedule.startMinute = std::uint8_t(startMinute);
    schedule.stopHour = std::uint8_t(stopHour);
    schedule.stopMinute = std::uint8_t(stopMinute);
    schedule.stopSecond = std::uint8_t(stopSecond);
    return schedule;
}

} // namespace

TEST_P(RunningTimeSum, CountsDurationTimesPlayCountAndTheRestApart)
{
    const SumCase &c = GetParam();
    const RunningTime time = Sum(c.rows);
    EXPECT_EQ(time.milliseconds, c.expected.milliseconds);
    EXPECT_EQ(time.playCountZero, c.expected.playCountZero);
    EXPECT_EQ(time.pictures, c.expected.pictures);
    EXPECT_EQ(time.unknown, c.expected.unknown);
    EXPECT_EQ(time.notCounted(),
              c.expected.playCountZero + c.expected.pictures + c.expected.unknown);
}

INSTANTIATE_TEST_SUITE_P(
        Lists, RunningTimeSum,
        testing::Values(SumCase {"empty", {}, {}},
                        SumCase {"play counts multiply",
                                 {{1, EntryLength::Of(1500)}, {3, EntryLength::Of(2000)}},
                                 {7500, 0, 0, 0}},
                        SumCase {"the largest play count",
                                 {{100, EntryLength::Of(90000)}},
                                 {9000000, 0, 0, 0}},
                        // Play count 0 comes first, also for a picture or a missing file.
                        SumCase {"play count 0 apart",
                                 {{0, EntryLength::Of(1000)},
                                  {0, Picture},
                                  {0, Unknown},
                                  {2, EntryLength::Of(10)}},
                                 {20, 3, 0, 0}},
                        SumCase {"pictures apart", {{1, Picture}, {5, Picture}}, {0, 0, 2, 0}},
                        SumCase {"unknown apart, never guessed",
                                 {{1, Unknown}, {4, EntryLength::Of(-1)}, {1, EntryLength::Of(0)}},
                                 {0, 0, 0, 2}},
                        SumCase {"mixed",
                                 {{2, EntryLength::Of(60000)},
                                  {1, Picture},
                                  {0, EntryLength::Of(5000)},
                                  {1, Unknown}},
                                 {120000, 1, 1, 1}}),
        [](const testing::TestParamInfo<SumCase> &info) {
            std::string name = info.param.name;
            for (char &c : name)
                if (!std::isalnum(static_cast<unsigned char>(c)))
                    c = '_';
            return name;
        });

TEST(DailyWindow, FromStartToStopTimeOfDay)
{
    EXPECT_EQ(DailyWindowMilliseconds(Window(9, 0, 18, 0)), 9 * 3600 * 1000);
    EXPECT_EQ(DailyWindowMilliseconds(Window(0, 0, 23, 59, 59)), 86399 * 1000);
    // Only a foreign file holds a stop time not after the start time: there is no window.
    EXPECT_EQ(DailyWindowMilliseconds(Window(9, 0, 9, 0)), -1);
    EXPECT_EQ(DailyWindowMilliseconds(Window(18, 0, 9, 0)), -1);
}

TEST(DailyWindow, LoopsOfTheList)
{
    const RunningTime full {83 * 60 * 1000, 0, 0, 0};
    WindowFit fit = FitInWindow(Window(9, 0, 18, 0), full);
    ASSERT_TRUE(fit.known());
    EXPECT_FALSE(fit.atMost());
    EXPECT_NEAR(fit.loops, 540.0 / 83.0, 1e-9);

    // Entries not counted make the list longer: the loops are the most it can play.
    fit = FitInWindow(Window(9, 0, 18, 0), RunningTime {3600 * 1000, 1, 1, 0});
    EXPECT_TRUE(fit.atMost());
    EXPECT_DOUBLE_EQ(fit.loops, 9.0);

    // A list longer than its window plays less than once.
    EXPECT_DOUBLE_EQ(FitInWindow(Window(9, 0, 9, 30), {3600 * 1000, 0, 0, 0}).loops, 0.5);

    // Nothing counted, or no window: no loops.
    EXPECT_FALSE(FitInWindow(Window(9, 0, 18, 0), {0, 0, 2, 0}).known());
    EXPECT_EQ(FitInWindow(Window(9, 0, 18, 0), {0, 0, 2, 0}).loops, 0.0);
    EXPECT_FALSE(FitInWindow(Window(18, 0, 9, 0), full).known());
}

TEST(ClockText, HoursMinutesSeconds)
{
    EXPECT_EQ(ClockText(0), "0:00:00");
    EXPECT_EQ(ClockText(1499), "0:00:01");
    EXPECT_EQ(ClockText(1500), "0:00:02");
    EXPECT_EQ(ClockText((42 * 60 + 10) * 1000), "0:42:10");
    EXPECT_EQ(ClockText(std::int64_t(250) * 100 * 100 * 3600 * 1000), "2500000:00:00");
    EXPECT_EQ(ClockText(-5), "0:00:00");
    // nrvtool's lines keep the milliseconds, cut rather than rounded.
    EXPECT_EQ(ClockText(1999, true), "0:00:01.999");
    EXPECT_EQ(ClockText(3723045, true), "1:02:03.045");
}
