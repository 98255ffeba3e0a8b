#pragma once

// Small file-system routines used everywhere. Folders end with "/"; every failure is a false
// result, never an exception.

#include <QString>

namespace nerav {

// True when a file of exactly that name exists in the folder (with or without a trailing "/").
// No wildcard expansion. A missing folder, a non-folder or an empty name gives false.
bool FileExistsInDir(const QString &folder, const QString &name);

// The folder with a trailing "/".
QString WithTrailingSlash(const QString &folder);

} // namespace nerav
