#pragma once

// The FFmpeg side of ProbeMedia: runs inside the media reader module.

#include "MediaFacts.h"

#include <QString>

namespace nerav {

ProbeResult ReadMediaFacts(const QString &path, int timeLimitMs);

} // namespace nerav
