#pragma once

// The schedule being edited: basic entries and advance schedules with their details. Data only;
// plain standard C++, so the file format can be built and tested without Qt.

#include <array>
#include <cstdint>
#include <vector>

namespace nerav {

// One media file to play. Names are stored as the player reads them: upper-case single-byte
// characters, left-aligned, zero-filled, without the dot.
struct ScheduleEntry
{
    std::array<std::uint8_t, 16> fileName {};
    std::array<std::uint8_t, 4> fileExt {};
    std::array<std::uint8_t, 6> reserved {};
    std::uint8_t playTimes = 0; // 0..100
    std::uint8_t volume = 0; // 0..12, or DefaultVolume

    bool operator==(const ScheduleEntry &other) const;
    bool operator!=(const ScheduleEntry &other) const { return !(*this == other); }
};

// The player's own volume, shown as "Default".
constexpr std::uint8_t DefaultVolume = 13;
// weekDay value meaning every day.
constexpr std::uint8_t EveryDay = 7;

// A date/time window with its own ordered list of entries ("details").
struct AdvanceSchedule
{
    std::uint8_t startYear = 0; // year - 2000
    std::uint8_t startMonth = 1;
    std::uint8_t startDay = 1;
    std::uint8_t startHour = 0;
    std::uint8_t startMinute = 0;
    std::uint8_t startSecond = 0;
    std::uint8_t stopYear = 0; // year - 2000
    std::uint8_t stopMonth = 1;
    std::uint8_t stopDay = 1;
    std::uint8_t stopHour = 0;
    std::uint8_t stopMinute = 0;
    std::uint8_t stopSecond = 0;
    std::uint8_t weekDay = EveryDay; // 0 Sunday .. 6 Saturday, 7 every day
    std::vector<ScheduleEntry> details;

    std::int16_t detailCount() const { return static_cast<std::int16_t>(details.size()); }

    bool operator==(const AdvanceSchedule &other) const;
    bool operator!=(const AdvanceSchedule &other) const { return !(*this == other); }
};

// Limits that the list commands and the pre-save check enforce.
constexpr int MaxBasicEntries = 250;
constexpr int MaxAdvanceSchedules = 250;
constexpr int MaxDetailsPerSchedule = 100;
constexpr long MaxScheduleSizeEstimate = 30000; // the estimate must stay below this
// The values the entry editor offers and nrvtool accepts (DefaultVolume besides the levels).
constexpr int MaxPlayTimes = 100;
constexpr int MaxVolumeLevel = 12;

struct ScheduleDocument
{
    std::vector<ScheduleEntry> basicEntries;
    std::vector<AdvanceSchedule> advanceSchedules;

    std::int16_t basicCount() const { return static_cast<std::int16_t>(basicEntries.size()); }
    std::int16_t advanceCount() const { return static_cast<std::int16_t>(advanceSchedules.size()); }

    // Empties both lists.
    void Reset();

    // Replaces both lists with those of another document.
    void ReplaceContentFrom(ScheduleDocument &&other);

    // Same lists.
    bool SameContentAs(const ScheduleDocument &other) const;
};

// 50 + 30 per basic entry + 15 per advance schedule + 30 per detail, in a width that cannot
// overflow for any document.
long ScheduleSizeEstimate(const ScheduleDocument &document);

} // namespace nerav
