#include "PlanMedia.h"

#include "MediaLibrary.h"

namespace nerav {

namespace {

// The file CheckPlanMedia reads for row; empty when there is none.
QString FileToRead(const PublishRow &row, bool copies)
{
    if (copies)
        return row.copyState == CopyState::NotAFile ? QString() : row.onMedium;
    return row.found.size() == 1 ? row.found.first() : QString();
}

} // namespace

bool HasMediaToRead(const PublishPlan &plan, bool copies)
{
    for (const PublishRow &row : plan.rows)
        if (!FileToRead(row, copies).isEmpty())
            return true;
    return false;
}

void CheckPlanMedia(PublishPlan &plan, const MediaCheckRequest &request,
                    const std::atomic<bool> *cancelled, const MediaProgress &progress)
{
    plan.profileProblem = request.profile.profile ? QString() : request.profile.reason;
    MediaLibrary library(plan.request.mediaFolder, request.profile, request.cacheFolder);
    int total = 0;
    for (const PublishRow &row : plan.rows)
        total += FileToRead(row, request.copies).isEmpty() ? 0 : 1;
    int done = 0;
    for (PublishRow &row : plan.rows) {
        const QString path = FileToRead(row, request.copies);
        if (path.isEmpty())
            continue;
        if (cancelled && *cancelled)
            break;
        const ProbeResult probed = library.probe(path, request.timeLimitMs);
        RowMedia &media = row.media;
        media.read = true;
        media.picture = probed && probed.facts.picture;
        media.durationMs = probed && !probed.facts.picture ? probed.facts.durationMs : -1;
        // The player looks at the name the schedule stores, not at the original's own.
        if (request.profile.profile)
            media.check = library.judge(row.name, probed);
        if (progress)
            progress(++done, total);
    }
    // What was read stays read for the next check even when this one was cancelled; a cache
    // that cannot be written only costs the next check its speed.
    library.saveCache();
}

void CarryMediaOver(const PublishPlan &from, PublishPlan &to)
{
    to.profileProblem = from.profileProblem;
    for (PublishRow &row : to.rows) {
        if (row.found.size() != 1)
            continue;
        for (const PublishRow &was : from.rows)
            if (was.name == row.name && was.found == row.found && was.size == row.size &&
                was.modified == row.modified) {
                row.media = was.media;
                break;
            }
    }
}

} // namespace nerav
