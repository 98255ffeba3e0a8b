#pragma once

// The rules a schedule must meet, as pure functions shared by the windows and nrvtool: the
// player's file-name rule, the calendar of the date/time editor, its date and time order, and
// the checks before a schedule is saved.

#include "ScheduleDocument.h"

#include <string>
#include <utility>

namespace nerav {

// File names the player accepts: base name (before the last ".") at most 16 characters,
// extension at most 4, only A-Z a-z 0-9 . _ - (by character code).
constexpr std::size_t MaxBaseNameLength = 16;
constexpr std::size_t MaxExtensionLength = 4;

// 1-based position of the last "." in text; 0 when it holds none.
std::size_t FindLastDot(const std::string &text);

// (base, ext) of a trimmed name: the parts before and after the last "."; the dot belongs to
// neither. Without a dot the whole name is the base and the extension is empty.
std::pair<std::string, std::string> SplitFileName(const std::string &name);

// The text with leading and trailing spaces removed.
std::string TrimSpaces(const std::string &text);

// Which part of the file-name rule a name breaks, in the order the checks run.
enum class FileNameProblem {
    None,
    Empty, // nothing but spaces
    ForeignCharacter, // a character the player cannot read
    BaseTooLong, // more than MaxBaseNameLength before the last "."
    ExtensionTooLong, // more than MaxExtensionLength after it
};

struct FileNameCheck
{
    FileNameProblem problem = FileNameProblem::None;
    std::size_t position = 0; // ForeignCharacter: 0-based position of the first one in the text

    explicit operator bool() const { return problem == FileNameProblem::None; }
};

// The acceptance rule with its reason.
FileNameCheck CheckFileNameRule(const std::string &text);

// The acceptance rule: trimmed, not empty, base and extension short enough, allowed characters
// only.
bool FileNameAccepted(const std::string &text);

// Stores an accepted text into the entry: trimmed, upper-cased, split at the last dot, each part
// left-aligned and zero-filled. Returns false, and leaves the entry as it was, when the text
// is not accepted.
bool EncodeEntryName(const std::string &text, ScheduleEntry &entry);

// The name as the entry editor loads it: fileName bytes up to the first zero, ".", fileExt bytes
// up to the first zero.
std::string DecodeEntryName(const ScheduleEntry &entry);

// The name as a list row shows it: every non-zero byte of fileName, ".", every non-zero byte of
// fileExt. For names the editor stored it equals DecodeEntryName.
std::string EntryDisplayName(const ScheduleEntry &entry);

// Gregorian calendar, as the date/time editor offers it.
bool IsLeapYear(int year);
int DaysInMonth(int year, int month); // 28..31; 0 for a month outside 1..12

// The years the date/time editor offers, stored as year - 2000.
constexpr int FirstYear = 2000;
constexpr int LastYear = 2099;

// The start date is not after the stop date (equal dates pass).
bool DateOrderValid(const AdvanceSchedule &schedule);
// The start time of day lies strictly before the stop time of day, whatever the dates are.
bool TimeOrderValid(const AdvanceSchedule &schedule);

// Why a schedule may not be saved, in the order the checks run.
enum class PreSaveProblem {
    None,
    EmptySchedule, // no basic entry and no advance schedule
    AdvanceWithoutEntries, // an advance schedule has no entries
    TooLarge, // ScheduleSizeEstimate is not below MaxScheduleSizeEstimate
};

struct PreSaveCheck
{
    PreSaveProblem problem = PreSaveProblem::None;
    int schedulePosition = 0; // 1-based, the first advance schedule without entries

    explicit operator bool() const { return problem == PreSaveProblem::None; }
};

// The size estimate stays below 30,000.
bool CheckScheduleSize(const ScheduleDocument &document);

// The checks before a save, stopping at the first failure.
PreSaveCheck CheckBeforeSave(const ScheduleDocument &document);

} // namespace nerav
