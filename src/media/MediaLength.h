#pragma once

// What a probe tells of an entry's running time: a duration, a picture, or nothing known.

#include "MediaFacts.h"
#include "RunningTime.h"

namespace nerav {

inline EntryLength ProbedLength(const ProbeResult &result)
{
    if (!result)
        return {};
    if (result.facts.picture)
        return {EntryLength::Picture, 0};
    return EntryLength::Of(result.facts.durationMs);
}

} // namespace nerav
