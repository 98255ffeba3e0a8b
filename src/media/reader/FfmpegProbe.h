#pragma once

// The FFmpeg side of ProbeMedia and MediaThumbnail: runs inside the media reader module.

#include "MediaFacts.h"
#include "MediaThumbnail.h"

#include <QString>

namespace nerav {

ProbeResult ReadMediaFacts(const QString &path, int timeLimitMs);
ThumbnailResult MakeThumbnail(const QString &path, const QSize &bound, int timeLimitMs);

// A demuxer that reads still pictures ("jpeg_pipe", "image2"...), by the demuxer's name.
bool IsPictureContainer(const QString &container);

} // namespace nerav
