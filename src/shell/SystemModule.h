#pragma once

// Small file-system routines used everywhere. Folders end with "/"; every failure is a false
// result, never an exception.

#include <QString>

namespace nerav {

// True when a file of exactly that name exists in the folder (with or without a trailing "/").
// No wildcard expansion. A missing folder, a non-folder or an empty name gives false.
bool FileExistsInDir(const QString &folder, const QString &name);

// Copies sourceFolder + name (sourceFolder ends with "/") into destinationFolder under the same
// name. An existing file there is replaced only once the new copy is complete.
bool CopyFileTo(const QString &sourceFolder, const QString &name, const QString &destinationFolder);

// Deletes folder + name ("/" appended to the folder when missing).
bool DeleteFileIn(const QString &folder, const QString &name);

// The folder with a trailing "/".
QString WithTrailingSlash(const QString &folder);

} // namespace nerav
