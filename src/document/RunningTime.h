#pragma once

// How long a list of entries plays once through, and how that compares with an advance
// schedule's daily window. The sum is each entry's duration times its play count; an entry
// whose time cannot be known is counted apart, never guessed: one with play count 0 (it plays
// until the next schedule takes over), a picture (the player decides how long it shows) and a
// file of unknown length (not found, unreadable, not read yet, or without a duration).

#include "ScheduleDocument.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace nerav {

// What is known of one entry's file.
struct EntryLength
{
    enum Kind { Known, Picture, Unknown };
    Kind kind = Unknown;
    std::int64_t milliseconds = 0; // when Known

    static EntryLength Of(std::int64_t milliseconds) { return {Known, milliseconds}; }
};

struct RunningTime
{
    std::int64_t milliseconds = 0; // of the entries counted
    int playCountZero = 0;
    int pictures = 0;
    int unknown = 0;

    int notCounted() const { return playCountZero + pictures + unknown; }
    // Adds one entry of the list.
    void add(const ScheduleEntry &entry, const EntryLength &length);

    bool operator==(const RunningTime &other) const;
    bool operator!=(const RunningTime &other) const { return !(*this == other); }
};

using EntryLengthOf = std::function<EntryLength(const ScheduleEntry &)>;

RunningTime ListRunningTime(const std::vector<ScheduleEntry> &entries,
                            const EntryLengthOf &lengthOf);

// The advance schedule's daily window: from its start time of day to its stop time of day, in
// milliseconds; -1 when the stop time is not after the start time (only a foreign file holds
// one: the editor refuses it).
std::int64_t DailyWindowMilliseconds(const AdvanceSchedule &schedule);

// How the schedule's playlist compares with its daily window.
struct WindowFit
{
    std::int64_t window = -1; // as DailyWindowMilliseconds
    RunningTime running;
    // How often the list plays through in the window; 0 when that is not known (no window, or
    // nothing counted). With entries not counted the list takes longer: loops is then the most
    // it can be.
    double loops = 0;

    bool known() const { return window > 0 && running.milliseconds > 0; }
    bool atMost() const { return running.notCounted() > 0; }
};

WindowFit FitInWindow(const AdvanceSchedule &schedule, const RunningTime &running);

// "1:02:03" (hours not padded, seconds rounded to the nearest), or with milliseconds
// "1:02:03.045" (cut, not rounded).
std::string ClockText(std::int64_t milliseconds, bool withMilliseconds = false);

} // namespace nerav
