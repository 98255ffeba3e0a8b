#pragma once

// A path split at its last "/" and never cleaned up: "link/../x.nrv" must mean what the system
// (and the shell, and ls) take it to mean. The one place that splits a path into folder and name.

#include <QString>

namespace nerav {

// The part after the last "/"; the whole path when there is none.
QString FileNamePart(const QString &path);

// The part up to and including the last "/"; empty when there is none.
QString DirectoryPart(const QString &path);

// The folder as the system names it: without the trailing "/", "/" for the root and "." when
// there is no "/".
QString FolderPath(const QString &path);

} // namespace nerav
