#pragma once

// Reading and writing schedule files on disk: a thin layer over the byte codec.

#include "RandomReal.h"
#include "ScheduleDocument.h"

#include <QString>

namespace nerav {

struct ScheduleFileResult
{
    bool ok = false;
    QString reason; // why it failed, for messages and logs; empty on success

    explicit operator bool() const { return ok; }
};

// Writes the document to the file at path. The new file is
// written completely under a temporary name, synced, and then replaces any existing file, so a
// failed write leaves the old file as it was. The document is not changed.
ScheduleFileResult WriteScheduleFile(const QString &path, const ScheduleDocument &document,
                                     RandomReal &random);

// Reads the file at path (a regular file only) and, only on success, replaces the lists of the
// document. On failure the document is untouched.
ScheduleFileResult ReadScheduleFile(const QString &path, ScheduleDocument &document);

} // namespace nerav
