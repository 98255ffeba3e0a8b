#include "DurableFile.h"

#include "FileSync.h"
#include "PathParts.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nerav {

namespace {

constexpr int RandomLength = 6;

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

QString RandomPart()
{
    static const char characters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString part;
    for (int n = 0; n < RandomLength; ++n)
        part += QLatin1Char(
                characters[QRandomGenerator::system()->bounded(int(sizeof characters - 1))]);
    return part;
}

// The temporary file's path without its random part. Its name starts with the target's name,
// cut short (at a character's start) where the whole would pass the folder's name limit; the
// target keeps its name.
QString TemporaryBase(const QString &target)
{
    const QString name = FileNamePart(target);
    long limit = ::pathconf(Native(FolderPath(target)).constData(), _PC_NAME_MAX);
    if (limit <= 0)
        limit = NAME_MAX;
    const long room = limit - long(sizeof DurableFile::TemporaryInfix - 1) - RandomLength;
    QByteArray start = Native(name);
    if (start.size() > room) {
        qsizetype cut = std::max(room, 1L);
        while (cut > 1 && (uchar(start.at(cut)) & 0xC0) == 0x80)
            --cut;
        start.truncate(cut);
    }
    return target.left(target.size() - name.size()) + QFile::decodeName(start) +
            QLatin1String(DurableFile::TemporaryInfix);
}

bool NoPermissionsHere(int error)
{
    return error == ENOSYS || error == ENOTSUP;
}

} // namespace

QString FileKindText(mode_t mode)
{
    if (S_ISLNK(mode))
        return QStringLiteral("a link");
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device node");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a special file");
}

QString SystemErrorText(int error)
{
    const char *text = std::strerror(error);
    return text && *text ? QString::fromLocal8Bit(text)
                         : QStringLiteral("system error %1").arg(error);
}

DurableFile::DurableFile(const QString &targetPath, Links links)
    : m_target(targetPath), m_links(links)
{
    // Like QSaveFile: a link stays a link, and the file it points to gets the new content.
    const QFileInfo info(targetPath);
    if (links == Links::Follow && info.isSymLink() && !info.canonicalFilePath().isEmpty())
        m_target = info.canonicalFilePath();
}

DurableFile::~DurableFile()
{
    cancel();
}

DurableWriteResult DurableFile::failure(const QString &what, int error) const
{
    return {false,
            QStringLiteral("Cannot write %1: %2%3").arg(m_target, what, SystemErrorText(error))};
}

DurableWriteResult DurableFile::open()
{
    cancel();
    struct stat existing;
    const bool exists =
            (m_links == Links::Follow ? ::stat(Native(m_target).constData(), &existing)
                                      : ::lstat(Native(m_target).constData(), &existing)) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return {false,
                QStringLiteral("Cannot write %1: it is %2, not a regular file")
                        .arg(m_target, FileKindText(existing.st_mode))};

    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temporary = TemporaryBase(m_target) + RandomPart();
        // O_EXCL already refuses a link at the new name; O_NOFOLLOW says so twice.
        m_fd = ::open(Native(m_temporary).constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        const int error = errno;
        m_temporary.clear();
        return failure(QString(), error);
    }
    if (exists) {
        // The new version keeps the old one's permission bits, and its owner where we may set it.
        // A file system without permissions (FAT through fusefat) has none to keep.
        if ((::fchmod(m_fd, existing.st_mode & 07777) != 0 && !NoPermissionsHere(errno)) ||
            (::geteuid() == 0 && ::fchown(m_fd, existing.st_uid, existing.st_gid) != 0 &&
             !NoPermissionsHere(errno))) {
            const int error = errno;
            cancel();
            return failure(QStringLiteral("cannot keep its permissions: "), error);
        }
    }
    return {true, QString()};
}

DurableWriteResult DurableFile::write(const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return failure(QString(), errno);
        }
        data += written;
        size -= written;
    }
    return {true, QString()};
}

DurableWriteResult DurableFile::commit()
{
    if (m_fd < 0)
        return failure(QString(), EBADF);
    if (const int error = SyncFileData(m_fd)) {
        cancel();
        return failure(QStringLiteral("the data did not reach the medium: "), error);
    }
    const DurableWriteResult renamed = closeAndRename();
    if (!renamed)
        return renamed;
    if (const int error = SyncFolder(FolderPath(m_target)))
        return {false,
                QStringLiteral("%1 was written, but its folder did not reach the medium "
                               "(%2); the medium may be failing")
                        .arg(m_target, SystemErrorText(error))};
    return {true, QString()};
}

DurableWriteResult DurableFile::commitAfterSync()
{
    if (m_fd < 0)
        return failure(QString(), EBADF);
    return closeAndRename();
}

DurableWriteResult DurableFile::closeAndRename()
{
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        cancel();
        return failure(QString(), error);
    }
    if (m_modified.isValid()) {
        if (const int error = SetModificationTime(m_temporary, m_modified)) {
            cancel();
            return failure(QStringLiteral("the modification time could not be set: "), error);
        }
    }
    if (::rename(Native(m_temporary).constData(), Native(m_target).constData()) != 0) {
        const int error = errno;
        cancel();
        return failure(QString(), error);
    }
    m_temporary.clear();
    removeLeftOvers();
    return {true, QString()};
}

int SetModificationTime(const QString &path, const QDateTime &time)
{
    const qint64 ms = time.toMSecsSinceEpoch();
    const qint64 seconds = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    const struct timespec when = {time_t(seconds), long(ms - seconds * 1000) * 1000000L};
    // Both times given: a FUSE program (exfat-fuse) takes a time left out as "now" for both.
    const struct timespec times[2] = {when, when};
    return ::utimensat(AT_FDCWD, Native(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0 ? 0
                                                                                            : errno;
}

void DurableFile::cancel()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(Native(m_temporary).constData());
        m_temporary.clear();
    }
}

void DurableFile::removeLeftOvers() const
{
    const QByteArray prefix = Native(FileNamePart(TemporaryBase(m_target)));
    const QByteArray folder = Native(FolderPath(m_target));
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    QList<QByteArray> leftOvers;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.startsWith(prefix) && name.size() == prefix.size() + RandomLength)
            leftOvers.append(name);
    }
    ::closedir(dir);
    for (const QByteArray &name : leftOvers)
        ::unlink((folder + '/' + name).constData());
}

DurableWriteResult WriteFileDurably(const QString &path, const QByteArray &bytes,
                                    DurableFile::Links links)
{
    DurableFile file(path, links);
    DurableWriteResult result = file.open();
    if (result)
        result = file.write(bytes.constData(), bytes.size());
    if (result)
        result = file.commit();
    return result;
}

} // namespace nerav
