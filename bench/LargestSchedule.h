#pragma once

// The largest schedule the program saves: 250 basic entries and advance schedules whose details
// bring the size estimate as close below 30,000 as it goes (29,990: 8 schedules, 744 details,
// the first seven with the full 100 each).

#include "ScheduleDocument.h"

namespace nerav {

ScheduleDocument LargestSchedule();

// The most advance schedules a schedule holds: 250, one entry each, windows of one to nine
// weeks spread over 2026 with every week-day setting, so most days of the year overlap.
ScheduleDocument MostAdvanceSchedules();

} // namespace nerav
