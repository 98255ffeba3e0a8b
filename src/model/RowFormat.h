#pragma once

// The row texts of the three schedule lists. The name column is padded to a fixed width so
// that, in the lists' fixed-pitch font, every row lines up under the column headings.

#include "InterfaceText.h"
#include "ScheduleDocument.h"

#include <QString>
#include <QStringList>

namespace nerav {

// Character positions (in half-width cells) where the columns of the rows start; the headings
// above the lists are placed on them.
constexpr int EntryNameColumn = 0;
constexpr int EntryPlayTimesColumn = 26; // 21 of name, dot and extension, then 5 spaces
constexpr int EntryVolumeColumn = 36; // between "Default" (from 34) and the digits (from 37)
constexpr int EntryRowWidth = 41; // "Default" ends the widest row
// Two cells right of the row's text the entry lists draw what the media survey found: a mark two
// cells wide, a space, and the duration right-aligned in eight ("10:00:00").
constexpr int EntryMediaColumn = EntryRowWidth + 3;
constexpr int EntryMediaWidth = 11;
constexpr int EntryListWidth = EntryMediaColumn + EntryMediaWidth;
constexpr int AdvanceStartColumn = 0;
constexpr int AdvanceStopColumn = 21; // date and time are 19 wide, then 2 spaces
constexpr int AdvanceWeekDayColumn = 42;
constexpr int AdvanceRowWidth = AdvanceWeekDayColumn + 9; // "Wednesday", "Every day"

// "SONG.MP3": the stored name, a dot and the extension, zero bytes left out.
QString EntryFileName(const ScheduleEntry &entry);

// Name, dot and extension (zero bytes skipped and counted as padding), play count, volume.
QString FormatEntryRow(const ScheduleEntry &entry, const CaptionTable &captions);

// Start date and time, stop date and time, and the day-of-week caption:
// "2007/01/01 00:00:00  2008/01/01 23:59:59  Every day".
QString FormatAdvanceRow(const AdvanceSchedule &schedule, const CaptionTable &captions);

// "2007/01/01 00:00:00": where an advance schedule's window starts, or stops.
QString FormatWindowStart(const AdvanceSchedule &schedule);
QString FormatWindowStop(const AdvanceSchedule &schedule);

// What a screen reader says after an entry row's text: "再生回数 1, 音量 標準".
QString DescribeEntryRow(const ScheduleEntry &entry, const CaptionTable &captions);

// An advance schedule's whole window, one part per line (a row's tooltip) or joined by ", "
// (its accessible description): start date and time, stop date and time, week day, entries.
QStringList DescribeAdvanceWindow(const AdvanceSchedule &schedule, const CaptionTable &captions);

} // namespace nerav
