#include "RunningTime.h"

#include <cstdio>

namespace nerav {

namespace {

std::int64_t TimeOfDayMilliseconds(int hour, int minute, int second)
{
    return ((std::int64_t(hour) * 60 + minute) * 60 + second) * 1000;
}

} // namespace

void RunningTime::add(const ScheduleEntry &entry, const EntryLength &length)
{
    // Play count 0 comes first: such an entry never ends on its own, whatever its file is.
    if (entry.playTimes == 0)
        ++playCountZero;
    else if (length.kind == EntryLength::Picture)
        ++pictures;
    else if (length.kind == EntryLength::Unknown || length.milliseconds < 0)
        ++unknown;
    else
        milliseconds += length.milliseconds * entry.playTimes;
}

bool RunningTime::operator==(const RunningTime &other) const
{
    return milliseconds == other.milliseconds && playCountZero == other.playCountZero &&
            pictures == other.pictures && unknown == other.unknown;
}

RunningTime ListRunningTime(const std::vector<ScheduleEntry> &entries,
                            const EntryLengthOf &lengthOf)
{
    RunningTime time;
    for (const ScheduleEntry &entry : entries)
        time.add(entry, lengthOf(entry));
    return time;
}

std::int64_t DailyWindowMilliseconds(const AdvanceSchedule &s)
{
    const std::int64_t window = TimeOfDayMilliseconds(s.stopHour, s.stopMinute, s.stopSecond) -
            TimeOfDayMilliseconds(s.startHour, s.startMinute, s.startSecond);
    return window > 0 ? window : -1;
}

WindowFit FitInWindow(const AdvanceSchedule &schedule, const RunningTime &running)
{
    WindowFit fit;
    fit.window = DailyWindowMilliseconds(schedule);
    fit.running = running;
    if (fit.known())
        fit.loops = double(fit.window) / double(running.milliseconds);
    return fit;
}

std::string ClockText(std::int64_t milliseconds, bool withMilliseconds)
{
    if (milliseconds < 0)
        milliseconds = 0;
    const std::int64_t seconds =
            withMilliseconds ? milliseconds / 1000 : (milliseconds + 500) / 1000;
    char text[48];
    if (withMilliseconds)
        std::snprintf(text, sizeof text, "%lld:%02d:%02d.%03d",
                      static_cast<long long>(seconds / 3600), int(seconds / 60 % 60),
                      int(seconds % 60), int(milliseconds % 1000));
    else
        std::snprintf(text, sizeof text, "%lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                      int(seconds / 60 % 60), int(seconds % 60));
    return text;
}

} // namespace nerav
