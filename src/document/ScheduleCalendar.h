#pragma once

// Which advance schedules a day belongs to, as the calendar window and `nrvtool days` show it.
// The calendar shows what the file says, never which schedule the player will choose.

#include "ScheduleDocument.h"

#include <vector>

namespace nerav {

// A date of the Gregorian calendar as plain numbers.
struct CalendarDay
{
    int year = 2000;
    int month = 1;
    int day = 1;
};

// 0 Sunday .. 6 Saturday of a real Gregorian date (year 1 or later).
int WeekDayOf(const CalendarDay &day);

// The advance schedule is on the day when the day lies between its start and stop dates (both
// included) and its week day is the day's or every day. Dates are compared as the stored numbers,
// so an impossible stored date needs no repair, a start after the stop is on no day, and a day
// before 2000 or past the stored years is simply not on.
bool OnDay(const AdvanceSchedule &schedule, const CalendarDay &day);

// 0-based indexes of the advance schedules on the day, in list order; empty when only the basic
// list applies. Two or more overlap on that day.
std::vector<int> SchedulesOnDay(const ScheduleDocument &document, const CalendarDay &day);

} // namespace nerav
