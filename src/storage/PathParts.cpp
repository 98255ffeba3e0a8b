#include "PathParts.h"

#include <QFileInfo>

namespace nerav {

QString FileNamePart(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString DirectoryPart(const QString &path)
{
    return path.chopped(FileNamePart(path).size());
}

QString FolderPath(const QString &path)
{
    // QFileInfo gives an empty path for an empty one.
    return path.isEmpty() ? QStringLiteral(".") : QFileInfo(path).path();
}

} // namespace nerav
