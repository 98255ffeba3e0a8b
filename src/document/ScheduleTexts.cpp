#include "ScheduleTexts.h"

#include <cstdio>

namespace nerav {

namespace {

std::string DateText(int storedYear, int month, int day, char separator)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d%c%02d%c%02d", 2000 + storedYear, separator, month,
                  separator, day);
    return text;
}

std::string TimeText(int hour, int minute, int second)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
    return text;
}

} // namespace

std::string StartDateText(const AdvanceSchedule &s, char separator)
{
    return DateText(s.startYear, s.startMonth, s.startDay, separator);
}

std::string StopDateText(const AdvanceSchedule &s, char separator)
{
    return DateText(s.stopYear, s.stopMonth, s.stopDay, separator);
}

std::string StartTimeText(const AdvanceSchedule &s)
{
    return TimeText(s.startHour, s.startMinute, s.startSecond);
}

std::string StopTimeText(const AdvanceSchedule &s)
{
    return TimeText(s.stopHour, s.stopMinute, s.stopSecond);
}

} // namespace nerav
