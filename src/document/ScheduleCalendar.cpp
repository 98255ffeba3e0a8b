#include "ScheduleCalendar.h"

#include "ScheduleRules.h"

#include <tuple>

namespace nerav {

int WeekDayOf(const CalendarDay &day)
{
    // Sakamoto's method: January and February count as months of the year before.
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const int year = day.month < 3 ? day.year - 1 : day.year;
    const int month = day.month >= 1 && day.month <= 12 ? day.month : 1;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day.day) % 7;
}

bool OnDay(const AdvanceSchedule &schedule, const CalendarDay &day)
{
    if (schedule.weekDay != EveryDay && schedule.weekDay != WeekDayOf(day))
        return false;
    const auto date = std::make_tuple(day.year - FirstYear, day.month, day.day);
    const auto start = std::make_tuple(int(schedule.startYear), int(schedule.startMonth),
                                       int(schedule.startDay));
    const auto stop =
            std::make_tuple(int(schedule.stopYear), int(schedule.stopMonth), int(schedule.stopDay));
    return start <= date && date <= stop;
}

std::vector<int> SchedulesOnDay(const ScheduleDocument &document, const CalendarDay &day)
{
    std::vector<int> indexes;
    for (std::size_t i = 0; i < document.advanceSchedules.size(); ++i)
        if (OnDay(document.advanceSchedules[i], day))
            indexes.push_back(int(i));
    return indexes;
}

} // namespace nerav
