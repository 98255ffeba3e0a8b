#include "ScheduleDocument.h"

namespace nerav {

bool ScheduleEntry::operator==(const ScheduleEntry &other) const
{
    return fileName == other.fileName && fileExt == other.fileExt && reserved == other.reserved &&
            playTimes == other.playTimes && volume == other.volume;
}

bool AdvanceSchedule::operator==(const AdvanceSchedule &other) const
{
    return startYear == other.startYear && startMonth == other.startMonth &&
            startDay == other.startDay && startHour == other.startHour &&
            startMinute == other.startMinute && startSecond == other.startSecond &&
            stopYear == other.stopYear && stopMonth == other.stopMonth &&
            stopDay == other.stopDay && stopHour == other.stopHour &&
            stopMinute == other.stopMinute && stopSecond == other.stopSecond &&
            weekDay == other.weekDay && details == other.details;
}

void ScheduleDocument::Reset()
{
    basicEntries.clear();
    advanceSchedules.clear();
}

void ScheduleDocument::ReplaceContentFrom(ScheduleDocument &&other)
{
    basicEntries = std::move(other.basicEntries);
    advanceSchedules = std::move(other.advanceSchedules);
}

bool ScheduleDocument::SameContentAs(const ScheduleDocument &other) const
{
    return basicEntries == other.basicEntries && advanceSchedules == other.advanceSchedules;
}

long ScheduleSizeEstimate(const ScheduleDocument &document)
{
    // The vector sizes, not the 16-bit counts, so that no list length can wrap the sum.
    long size = 50 + 30L * static_cast<long>(document.basicEntries.size()) +
            15L * static_cast<long>(document.advanceSchedules.size());
    for (const AdvanceSchedule &schedule : document.advanceSchedules)
        size += 30L * static_cast<long>(schedule.details.size());
    return size;
}

} // namespace nerav
