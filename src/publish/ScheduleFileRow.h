#pragma once

// The schedule file's own row of the check: whether the medium already holds this schedule
// under its name, another one (or one that cannot be read), or none. The publish writes it in
// every case, last; the row says whether that changes what the player plays.

#include "ScheduleDocument.h"

#include <QString>

namespace nerav {

enum class ScheduleFileState {
    Missing, // no file of that name on the medium
    Unchanged, // the medium's file holds the same lists
    Changed, // other lists, a file that cannot be read, or no regular file
};

// Reads mediumFolder/scheduleName (a regular file only, never through a link) and compares its
// lists with document's. An empty folder or name: Missing.
ScheduleFileState ScheduleFileOnMedium(const ScheduleDocument &document,
                                       const QString &mediumFolder, const QString &scheduleName);

} // namespace nerav
