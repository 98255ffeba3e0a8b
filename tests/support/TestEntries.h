#pragma once

// Builds a schedule entry from its name parts the way a test writes them ("CLIP", "AVI"):
// names longer than their fields are cut, shorter ones padded with zero bytes.

#include "ScheduleDocument.h"

#include <QByteArray>
#include <algorithm>

namespace nerav::test {

inline ScheduleEntry MakeEntry(const QByteArray &base, const QByteArray &ext, int playTimes,
                               int volume)
{
    ScheduleEntry entry;
    std::copy_n(base.begin(), std::min<qsizetype>(base.size(), 16), entry.fileName.begin());
    std::copy_n(ext.begin(), std::min<qsizetype>(ext.size(), 4), entry.fileExt.begin());
    entry.playTimes = static_cast<std::uint8_t>(playTimes);
    entry.volume = static_cast<std::uint8_t>(volume);
    return entry;
}

} // namespace nerav::test
