#pragma once

// A path split at its last "/" and never cleaned up: "link/../x.nrv" must mean what the system
// (and the shell, and ls) take it to mean. The one place that splits a path into folder and name.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace nerav {

// The part after the last "/"; the whole path when there is none.
QString FileNamePart(const QString &path);

// The part up to and including the last "/"; empty when there is none.
QString DirectoryPart(const QString &path);

// The folder as the system names it: without the trailing "/", "/" for the root and "." when
// there is no "/".
QString FolderPath(const QString &path);

// The program's arguments as names: each one's bytes decoded as QFile does. A name whose bytes
// do not come back from QFile::encodeName (not valid UTF-8) would open or write another file
// than the one given, and two such names the same one; the first of them is refused.
struct NativeArguments
{
    QStringList arguments; // the program's name first
    QByteArray refused; // the first argument that does not survive; empty when none
};
NativeArguments DecodeArguments(int argc, const char *const *argv);

// The bytes of a name for a message: valid UTF-8 as it is, every other byte as \xNN.
QString PrintableName(const QByteArray &name);

} // namespace nerav
