#pragma once

// A schedule as JSON, the form nrvtool dumps and makes:
//   {"basic": [ENTRY, ...],
//    "advance": [{"start": "2006-12-28 00:00:00", "stop": "2007-01-05 23:59:59", "weekDay": 3,
//                 "details": [ENTRY, ...]}, ...]}
// with ENTRY = {"name": "CLIP.JPG", "playTimes": 1, "volume": 13}.

#include "ScheduleDocument.h"

#include <QByteArray>
#include <QStringList>

namespace nerav {

// The document as JSON text indented by Qt's writer (keys in its order): names as the list rows
// show them, volume as a number (13 is the player's default), dates and times as
// YYYY-MM-DD HH:MM:SS.
QByteArray ScheduleToJson(const ScheduleDocument &document);

struct ScheduleFromJsonResult
{
    bool ok = false;
    ScheduleDocument document; // on success
    QStringList errors; // each names its place, e.g. "advance[2].details[0].name: ..."
};

// Reads and checks JSON text the way the program's editors and its Save check a schedule:
// device file names, play count 0..100, volume 0..12, 13 or "default", dates the date/time
// editor offers in order, weekDay 0..7, the list limits, and the pre-save checks. A missing
// playTimes is 1, a missing volume the default, a missing weekDay 7 (every day).
ScheduleFromJsonResult ScheduleFromJson(const QByteArray &text);

} // namespace nerav
