#pragma once

// Reads a media file's facts in-process with FFmpeg's libraries. Only a regular file is opened
// (a FIFO or device is refused without waiting), at most a bounded number of bytes is read and
// the work stops after the time limit, so a damaged or endless input cannot hang the caller.

#include "MediaFacts.h"

#include <QString>

namespace nerav {

// The most bytes one probe reads from a file.
constexpr qint64 ProbeReadLimit = 64 * 1024 * 1024;

ProbeResult ProbeMedia(const QString &path, int timeLimitMs = 5000);

// A demuxer that reads still pictures ("jpeg_pipe", "image2"...), by the demuxer's name.
bool IsPictureContainer(const QString &container);

} // namespace nerav
