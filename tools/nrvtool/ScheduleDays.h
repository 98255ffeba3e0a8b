#pragma once

// `nrvtool days`: for each day of a range, the advance schedules on it (ScheduleCalendar.h), as
// text lines or as one JSON document.
//   2006-12-28 Thu 0 00:00:00-23:59:59 2 09:00:00-18:00:00
//   2006-12-29 Fri basic
//   [{"date": "2006-12-28", "weekDay": 4, "advance": [{"index": 0, "start": "00:00:00",
//     "stop": "23:59:59"}]}, ...] (laid out by QJsonDocument)

#include "ScheduleDocument.h"

#include <QDate>
#include <QString>

namespace nerav {

// The longest range `days` prints: FROM and TO both included, TO before FROM plus 10 years.
bool DaysRangeAllowed(const QDate &from, const QDate &to);

// One line per day, or the JSON document when json is set; ends with a newline.
QString ScheduleDaysText(const ScheduleDocument &document, const QDate &from, const QDate &to,
                         bool json);

} // namespace nerav
