#pragma once

// What the schedule reader must do with any bytes at all, shared by the fuzz target and the
// corpus replay that runs with the ordinary tests: a failed read leaves the caller's document
// as it was and names its problem inside the input; a read that succeeds writes back into a
// file that reads as the same document.

#include "ScheduleCodec.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace nerav {

// Fixed random values, so a failure replays exactly.
class SteppingRandom : public RandomReal
{
public:
    double next() override
    {
        m_value = m_value * 0.618033988749895 + 0.381966011250105;
        m_value -= static_cast<int>(m_value);
        return m_value;
    }

private:
    double m_value = 0.25;
};

inline void FailCheck(const char *what)
{
    std::fprintf(stderr, "schedule reader check failed: %s\n", what);
    std::abort();
}

// Reads like the program does: into a new document, replacing the caller's only on success.
inline bool ReadIntoDocument(const std::uint8_t *data, std::size_t size, ScheduleDocument &target)
{
    ScheduleDecodeResult result = DecodeSchedule(data, size);
    if (!result.ok)
        return false;
    target.ReplaceContentFrom(std::move(result.document));
    return true;
}

inline ScheduleDocument SentinelDocument()
{
    ScheduleDocument document;
    ScheduleEntry entry;
    entry.fileName[0] = 'S';
    entry.playTimes = 7;
    document.basicEntries.push_back(entry);
    return document;
}

inline void CheckScheduleReader(const std::uint8_t *data, std::size_t size)
{
    const ScheduleDecodeResult result = DecodeSchedule(data, size);
    ScheduleDocument target = SentinelDocument();
    const bool read = ReadIntoDocument(data, size, target);
    if (read != result.ok)
        FailCheck("two reads of the same bytes disagree");
    if (!result.ok) {
        if (result.reason.empty())
            FailCheck("a failed read gave no reason");
        if (result.offset > size)
            FailCheck("a failed read names an offset past the end of its input");
        if (!target.SameContentAs(SentinelDocument()))
            FailCheck("a failed read changed the caller's document");
        return;
    }
    SteppingRandom random;
    const ScheduleEncodeResult encoded = EncodeSchedule(result.document, random);
    if (!encoded.ok)
        return; // bytes of 129 and more in a foreign file need not write back
    const ScheduleDecodeResult again = DecodeSchedule(encoded.bytes);
    if (!again.ok)
        FailCheck("a file written from a read document does not read back");
    if (!again.document.SameContentAs(result.document))
        FailCheck("read, write, read gives a different document");
}

} // namespace nerav
