#include "LargestSchedule.h"

#include "ScheduleRules.h"

#include <algorithm>
#include <string>

namespace nerav {

namespace {

constexpr int AdvanceSchedules = 8;
constexpr int Details = 744;

ScheduleEntry Entry(const std::string &prefix, int number)
{
    ScheduleEntry entry;
    const std::string digits = std::to_string(10000 + number).substr(1);
    EncodeEntryName(prefix + digits + (number % 3 == 0 ? ".WAV" : ".MP3"), entry);
    entry.playTimes = static_cast<std::uint8_t>(1 + number % 100);
    entry.volume = static_cast<std::uint8_t>(number % 14);
    return entry;
}

AdvanceSchedule Schedule(int number)
{
    AdvanceSchedule schedule;
    schedule.startYear = 26;
    schedule.startMonth = static_cast<std::uint8_t>(1 + number);
    schedule.startDay = 1;
    schedule.startHour = 8;
    schedule.stopYear = 27;
    schedule.stopMonth = 12;
    schedule.stopDay = 31;
    schedule.stopHour = 20;
    schedule.stopMinute = 30;
    schedule.weekDay = static_cast<std::uint8_t>(number % 8);
    return schedule;
}

} // namespace

ScheduleDocument LargestSchedule()
{
    ScheduleDocument document;
    for (int i = 0; i < MaxBasicEntries; ++i)
        document.basicEntries.push_back(Entry("BASICTRACK", i));
    int detailsLeft = Details;
    for (int s = 0; s < AdvanceSchedules; ++s) {
        AdvanceSchedule schedule = Schedule(s);
        const int count = detailsLeft < MaxDetailsPerSchedule ? detailsLeft : MaxDetailsPerSchedule;
        for (int d = 0; d < count; ++d)
            schedule.details.push_back(Entry("ADVANCE" + std::to_string(s), d));
        detailsLeft -= count;
        document.advanceSchedules.push_back(std::move(schedule));
    }
    return document;
}

ScheduleDocument MostAdvanceSchedules()
{
    ScheduleDocument document;
    for (int i = 0; i < MaxBasicEntries; ++i)
        document.basicEntries.push_back(Entry("BASICTRACK", i));
    const int daysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    for (int s = 0; s < MaxAdvanceSchedules; ++s) {
        AdvanceSchedule schedule;
        // Day of the year of the start and of the stop, both within 2026.
        const int start = (s * 37) % 340;
        const int stop = std::min(364, start + 7 + (s * 13) % 56);
        const auto setDate = [&](int dayOfYear, std::uint8_t &month, std::uint8_t &day) {
            int m = 11;
            while (daysBefore[m] > dayOfYear)
                --m;
            month = static_cast<std::uint8_t>(m + 1);
            day = static_cast<std::uint8_t>(dayOfYear - daysBefore[m] + 1);
        };
        schedule.startYear = schedule.stopYear = 26;
        setDate(start, schedule.startMonth, schedule.startDay);
        setDate(stop, schedule.stopMonth, schedule.stopDay);
        schedule.startHour = static_cast<std::uint8_t>(s % 12);
        schedule.stopHour = static_cast<std::uint8_t>(12 + s % 12);
        schedule.stopMinute = static_cast<std::uint8_t>(s % 60);
        schedule.weekDay = static_cast<std::uint8_t>(s % 8);
        schedule.details.push_back(Entry("ADVANCE", s));
        document.advanceSchedules.push_back(std::move(schedule));
    }
    return document;
}

} // namespace nerav
