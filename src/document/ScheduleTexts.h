#pragma once

// The start and stop of an advance schedule as text: "2007/01/01" and "09:00:00". The window,
// the calendar and nrvtool all show them this way.

#include "ScheduleDocument.h"

#include <string>

namespace nerav {

// The year is stored less 2000. A month or day wider than two digits (only in a foreign file)
// keeps all its digits. nrvtool's JSON writes the dates with "-" between the parts.
std::string StartDateText(const AdvanceSchedule &schedule, char separator = '/');
std::string StopDateText(const AdvanceSchedule &schedule, char separator = '/');

// The time as stored, even a foreign value no editor offers.
std::string StartTimeText(const AdvanceSchedule &schedule);
std::string StopTimeText(const AdvanceSchedule &schedule);

} // namespace nerav
