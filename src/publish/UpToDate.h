#pragma once

// Whether a copy on the medium is still what its original holds, when the originals are at
// hand: the one rule for the check of a medium against its media folder.

#include "PublishPlan.h"

namespace nerav {

// True when the manifest lists the row's copy as published (CopyState::Good) but its one
// original has since changed: another size or time than listed (at its file system's resolution),
// or other content. Reads the original when its size and time agree.
bool CopyOutdated(const PublishPlan &plan, const PublishRow &row);

} // namespace nerav
