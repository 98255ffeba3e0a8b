#pragma once

// What the media reader module offers. FFmpeg's libraries pull in over a hundred shared
// libraries; they live in a module that is loaded on the first probe, off the window's
// start-up and off the UI thread, rather than linked into every program.

#include "MediaFacts.h"
#include "MediaThumbnail.h"

#include <QString>

namespace nerav {

// Raised whenever the table changes, so a module of another build is refused.
constexpr int MediaReaderVersion = 2;

struct MediaReaderApi
{
    int version;
    ProbeResult (*probe)(const QString &path, int timeLimitMs);
    ThumbnailResult (*thumbnail)(const QString &path, const QSize &bound, int timeLimitMs);
};

// The module's file name in the program's module folder (ProgramModule.h).
constexpr char MediaReaderFileName[] = "nerav-media-reader.so";

} // namespace nerav
