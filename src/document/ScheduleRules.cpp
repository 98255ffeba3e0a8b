#include "ScheduleRules.h"

namespace nerav {

namespace {

bool AllowedChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
            c == '_' || c == '-';
}

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

template<std::size_t N>
void StoreField(const std::string &text, std::array<std::uint8_t, N> &field)
{
    field.fill(0);
    for (std::size_t i = 0; i < text.size() && i < N; ++i)
        field[i] = static_cast<std::uint8_t>(UpperAscii(text[i]));
}

template<std::size_t N>
std::string FieldUpToZero(const std::array<std::uint8_t, N> &field)
{
    std::string text;
    for (std::uint8_t byte : field) {
        if (byte == 0)
            break;
        text += static_cast<char>(byte);
    }
    return text;
}

template<std::size_t N>
std::string FieldNonZero(const std::array<std::uint8_t, N> &field)
{
    std::string text;
    for (std::uint8_t byte : field)
        if (byte != 0)
            text += static_cast<char>(byte);
    return text;
}

} // namespace

std::size_t FindLastDot(const std::string &text)
{
    const std::size_t position = text.rfind('.');
    return position == std::string::npos ? 0 : position + 1;
}

std::pair<std::string, std::string> SplitFileName(const std::string &name)
{
    const std::size_t dot = FindLastDot(name);
    if (dot == 0)
        return {name, std::string()};
    return {name.substr(0, dot - 1), name.substr(dot)};
}

std::string TrimSpaces(const std::string &text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

FileNameCheck CheckFileNameRule(const std::string &text)
{
    const std::string name = TrimSpaces(text);
    if (name.empty())
        return {FileNameProblem::Empty, 0};
    for (std::size_t i = 0; i < name.size(); ++i)
        if (!AllowedChar(name[i]))
            return {FileNameProblem::ForeignCharacter, text.find_first_not_of(' ') + i};
    const auto [base, ext] = SplitFileName(name);
    if (base.size() > MaxBaseNameLength)
        return {FileNameProblem::BaseTooLong, 0};
    if (ext.size() > MaxExtensionLength)
        return {FileNameProblem::ExtensionTooLong, 0};
    return {};
}

bool FileNameAccepted(const std::string &text)
{
    return bool(CheckFileNameRule(text));
}

bool EncodeEntryName(const std::string &text, ScheduleEntry &entry)
{
    if (!FileNameAccepted(text))
        return false;
    const auto [base, ext] = SplitFileName(TrimSpaces(text));
    StoreField(base, entry.fileName);
    StoreField(ext, entry.fileExt);
    return true;
}

std::string DecodeEntryName(const ScheduleEntry &entry)
{
    return FieldUpToZero(entry.fileName) + "." + FieldUpToZero(entry.fileExt);
}

std::string EntryDisplayName(const ScheduleEntry &entry)
{
    return FieldNonZero(entry.fileName) + "." + FieldNonZero(entry.fileExt);
}

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return IsLeapYear(year) ? 29 : 28;
    default:
        return 0;
    }
}

bool DateOrderValid(const AdvanceSchedule &schedule)
{
    const long start = schedule.startYear * 10000L + schedule.startMonth * 100L + schedule.startDay;
    const long stop = schedule.stopYear * 10000L + schedule.stopMonth * 100L + schedule.stopDay;
    return start <= stop;
}

bool TimeOrderValid(const AdvanceSchedule &schedule)
{
    const long start =
            schedule.startHour * 10000L + schedule.startMinute * 100L + schedule.startSecond;
    const long stop = schedule.stopHour * 10000L + schedule.stopMinute * 100L + schedule.stopSecond;
    return start < stop;
}

bool CheckScheduleSize(const ScheduleDocument &document)
{
    return ScheduleSizeEstimate(document) < MaxScheduleSizeEstimate;
}

PreSaveCheck CheckBeforeSave(const ScheduleDocument &document)
{
    if (document.basicEntries.empty() && document.advanceSchedules.empty())
        return {PreSaveProblem::EmptySchedule, 0};
    for (std::size_t i = 0; i < document.advanceSchedules.size(); ++i)
        if (document.advanceSchedules[i].details.empty())
            return {PreSaveProblem::AdvanceWithoutEntries, static_cast<int>(i + 1)};
    if (!CheckScheduleSize(document))
        return {PreSaveProblem::TooLarge, 0};
    return {};
}

} // namespace nerav
