#include "SystemModule.h"

#include <QFileInfo>

namespace nerav {

namespace {

const QChar separator = QLatin1Char('/');

// Callers pass a file name, never a path below the folder.
bool IsPlainName(const QString &name)
{
    return !name.isEmpty() && !name.contains(separator) && name != QLatin1String(".") &&
            name != QLatin1String("..");
}

} // namespace

QString WithTrailingSlash(const QString &folder)
{
    // An empty folder stays empty rather than turning into the root folder.
    if (folder.isEmpty() || folder.endsWith(separator))
        return folder;
    return folder + separator;
}

bool FileExistsInDir(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || !IsPlainName(name))
        return false;
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir())
        return false;
    // An exact name: "*" and "?" are ordinary characters here, and dot files count too.
    return QFileInfo(WithTrailingSlash(folder) + name).isFile();
}

} // namespace nerav
