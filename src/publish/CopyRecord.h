#pragma once

// When a copy on the medium is still the one published, and its original still the one it was
// made from: each side against its own record in the manifest, at the resolution of the file
// system it lies on, so that a copy is up to date alike on ext4, FAT32 and exFAT, after the
// medium was unmounted and mounted again and in another time zone.

#include "MediaManifest.h"
#include "MediumRules.h"

#include <QDateTime>

namespace nerav {

// The copy's size and time against what the medium reported right after the publish (a line of
// an older list, which has no such record, against the original's within 2 s, as then).
bool CopyMatchesRecord(qint64 size, const QDateTime &modified, const ManifestEntry &listed,
                       const MediumRules &medium);

// The original's size and time against the ones it had when it was copied.
bool OriginalMatchesRecord(qint64 size, const QDateTime &modified, const ManifestEntry &listed,
                           const MediumRules &originals);

} // namespace nerav
