#pragma once

// The media check of a publish plan: each file the plan found is read and judged through the
// media library (MediaLibrary.h), with the cache when there is one. Only warnings come of it:
// what the profile says never stops a publish.

#include "PlayerProfile.h"
#include "PublishPlan.h"

#include <QString>

#include <atomic>
#include <functional>

namespace nerav {

struct MediaCheckRequest
{
    ProfileResult profile; // without one the files are still read, for their durations
    QString cacheFolder; // where MediaCache keeps what was read; empty: no cache
    int timeLimitMs = 5000; // per file
    bool copies = false; // read the medium's copies rather than the originals
};

// Called after each file read: how many of how many.
using MediaProgress = std::function<void(int done, int total)>;

// The rows whose file CheckPlanMedia reads: one original (a missing or doubled name has no file
// to publish), or with copies a file on the medium.
bool HasMediaToRead(const PublishPlan &plan, bool copies = false);

// Fills each row's media. cancelled is looked at between files, so a cancel waits for one probe
// at most; the rows not reached stay unread.
void CheckPlanMedia(PublishPlan &plan, const MediaCheckRequest &request,
                    const std::atomic<bool> *cancelled = nullptr,
                    const MediaProgress &progress = {});

// Takes over what was read of the same files (name, original, size and time) from an earlier
// plan, so a plan made again without reading keeps its durations and warnings.
void CarryMediaOver(const PublishPlan &from, PublishPlan &to);

} // namespace nerav
