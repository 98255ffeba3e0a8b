#include "MediaCache.h"

#include "DurableFile.h"
#include "MediaProbe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nerav {

namespace {

// A cache file larger than this is dropped rather than read.
constexpr qint64 LargestCache = 32 * 1024 * 1024;

// Why the folder is not one this user alone may change (a link, another's, open to others);
// empty when it is.
QString FolderProblem(const QString &folder)
{
    struct stat status = {};
    if (::lstat(QFile::encodeName(folder).constData(), &status) != 0)
        return QStringLiteral("Cannot use the cache folder %1: %2")
                .arg(folder, SystemErrorText(errno));
    if (!S_ISDIR(status.st_mode))
        return QStringLiteral("Cannot use the cache folder %1: it is %2, not a folder")
                .arg(folder, FileKindText(status.st_mode));
    if (status.st_uid != ::geteuid() || (status.st_mode & S_IWOTH) != 0)
        return QStringLiteral("Cannot use the cache folder %1: it is not the user's own")
                .arg(folder);
    return QString();
}

} // namespace

MediaCache::MediaCache(const QString &folder) : m_folder(folder)
{
    if (!FolderProblem(folder).isEmpty())
        return;
    // Only a regular file, never through a link, and never waiting on a FIFO.
    const int fd = ::open(
            QFile::encodeName(QDir(folder).filePath(QString::fromLatin1(FileName))).constData(),
            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > LargestCache) {
        ::close(fd);
        return;
    }
    QFile file;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        m_entries = QJsonDocument::fromJson(file.read(LargestCache)).object();
    else
        ::close(fd);
}

ProbeResult MediaCache::probe(const QString &path, int timeLimitMs)
{
    const QFileInfo info(path);
    const QString key = info.absoluteFilePath();
    const qint64 size = info.size();
    const qint64 modified = info.lastModified().toMSecsSinceEpoch();
    const QJsonObject known = m_entries.value(key).toObject();
    if (info.isFile() && known.value(QStringLiteral("size")).toInteger(-1) == size &&
        known.value(QStringLiteral("modified")).toInteger(-1) == modified)
        return ProbeResultFromJson(known);
    ++m_probes;
    const ProbeResult result = ProbeMedia(path, timeLimitMs);
    // A file that is not there, or not a regular file, is asked about again next time.
    if (!info.isFile())
        return result;
    QJsonObject entry = ProbeResultToJson(result);
    entry[QStringLiteral("size")] = size;
    entry[QStringLiteral("modified")] = modified;
    m_entries[key] = entry;
    m_changed = true;
    return result;
}

QString MediaCache::save()
{
    if (!m_changed)
        return QString();
    // A folder made here is closed to others.
    if (!QDir().mkpath(QFileInfo(m_folder).absolutePath()) ||
        (::mkdir(QFile::encodeName(m_folder).constData(), 0700) != 0 && errno != EEXIST))
        return QStringLiteral("Cannot make the cache folder %1").arg(m_folder);
    // Written as every file of ours: a link at the cache's name is refused, not written through.
    if (const QString problem = FolderProblem(m_folder); !problem.isEmpty())
        return problem;
    const DurableWriteResult written =
            WriteFileDurably(QDir(m_folder).filePath(QString::fromLatin1(FileName)),
                             QJsonDocument(m_entries).toJson(QJsonDocument::Compact),
                             DurableFile::Links::StayInFolder);
    if (written)
        m_changed = false;
    return written.reason;
}

} // namespace nerav
