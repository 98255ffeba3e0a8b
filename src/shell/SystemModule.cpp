#include "SystemModule.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace nerav {

namespace {

const QChar separator = QLatin1Char('/');

// Callers pass a file name, never a path below the folder.
bool IsPlainName(const QString &name)
{
    return !name.isEmpty() && !name.contains(separator) && name != QLatin1String(".") &&
            name != QLatin1String("..");
}

bool StreamCopy(QFile &source, QSaveFile &destination)
{
    constexpr qint64 chunkSize = 64 * 1024;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(chunkSize);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError)
            return false;
        if (chunk.isEmpty())
            break;
        if (destination.write(chunk) != chunk.size())
            return false;
    }
    return source.error() == QFileDevice::NoError;
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

bool CopyFileTo(const QString &sourceFolder, const QString &name, const QString &destinationFolder)
{
    if (!IsPlainName(name) || destinationFolder.isEmpty())
        return false;
    const QFileInfo sourceInfo(sourceFolder + name);
    const QFileInfo targetInfo(WithTrailingSlash(destinationFolder) + name);
    if (!sourceInfo.isFile() || !QFileInfo(destinationFolder).isDir())
        return false;
    if (targetInfo.exists()) {
        // A folder or a write-protected file in the way is not replaced; nor is the source itself.
        if (!targetInfo.isFile() || !targetInfo.isWritable() ||
            targetInfo.canonicalFilePath() == sourceInfo.canonicalFilePath())
            return false;
    }

    QFile source(sourceInfo.filePath());
    if (!source.open(QIODevice::ReadOnly))
        return false;
    // The new copy is written beside the target and renamed over it only when complete.
    QSaveFile target(targetInfo.filePath());
    if (!target.open(QIODevice::WriteOnly))
        return false;
    if (!StreamCopy(source, target)) {
        target.cancelWriting();
        return false;
    }
    return target.commit();
}

bool DeleteFileIn(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || !IsPlainName(name))
        return false;
    const QString path = WithTrailingSlash(folder) + name;
    if (!QFileInfo(path).isFile())
        return false;
    return QFile::remove(path);
}

} // namespace nerav
