#pragma once

// The media of the lists in words: an entry's duration and state for its tooltip and what a
// screen reader says of its row, and the line under each list with its tooltip.

#include "InterfaceText.h"
#include "ScheduleMedia.h"

#include <QString>
#include <QStringList>

namespace nerav {

// "Duration 0:00:15", "may not play: the profile says progressive JPEG" and, withPath, "File
// /media/CLIP.MPG"; each part only when it is known.
QStringList DescribeEntryMedia(const EntryMedia &media, const MediaTable &texts, bool withPath);

// The line under a list and its tooltip; an empty text while nothing is surveyed.
struct ListSummary
{
    QString text;
    QString toolTip;
};

// A list of entries: "Running time 0:42:10 · 3 not counted", the tooltip naming those left out;
// sayNoFolder: a word that no media folder is chosen, rather than nothing.
ListSummary SummarizeEntries(const ScheduleMedia &media, const std::vector<ScheduleEntry> &entries,
                             const MediaTable &texts, bool sayNoFolder);

// The advance schedule of the row (0-based) against its daily window: "Schedule 2:
// 1:23:00 of 9:00:00 window, 6.5 loops".
ListSummary SummarizeWindow(const ScheduleMedia &media, const AdvanceSchedule &schedule, int row,
                            const MediaTable &texts);

// The comparison alone, for the advance rows; empty while nothing is surveyed.
QString WindowFitOf(const ScheduleMedia &media, const AdvanceSchedule &schedule,
                    const MediaTable &texts);

} // namespace nerav
