#include "QtPlatform.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QStorageInfo>

namespace nerav {

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

ClockSeededRandom::ClockSeededRandom()
    : m_generator(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()))
{
}

double ClockSeededRandom::next()
{
    return m_generator.generateDouble();
}

static Volume toVolume(const QStorageInfo &storage)
{
    Volume volume;
    volume.rootPath = storage.rootPath();
    if (!volume.rootPath.endsWith(QLatin1Char('/')))
        volume.rootPath += QLatin1Char('/');
    volume.name = storage.name();
    volume.ready = storage.isValid() && storage.isReady();
    volume.fileSystemType = QString::fromUtf8(storage.fileSystemType());
    return volume;
}

bool MountedDrives::isOffered(const QString &rootPath, const QString &fileSystemType)
{
    static const QStringList pseudoTypes = {
            "proc",       "sysfs",   "devtmpfs", "devpts",   "cgroup",      "cgroup2",
            "securityfs", "debugfs", "tracefs",  "configfs", "fusectl",     "mqueue",
            "hugetlbfs",  "pstore",  "bpf",      "autofs",   "binfmt_misc", "efivarfs",
            "rpc_pipefs", "nsfs",    "overlay",  "squashfs"};
    if (pseudoTypes.contains(fileSystemType))
        return false;
    static const QStringList systemRoots = {"/proc/", "/sys/",  "/dev/",
                                            "/run/",  "/boot/", "/snap/"};
    for (const QString &root : systemRoots) {
        // Removable media are mounted below /run/media or /media; those are offered.
        if (rootPath.startsWith(root) && !rootPath.startsWith(QLatin1String("/run/media/")))
            return false;
    }
    return true;
}

QList<Volume> MountedDrives::volumes() const
{
    QList<Volume> result;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        Volume volume = toVolume(storage);
        if (volume.ready && isOffered(volume.rootPath, volume.fileSystemType))
            result.append(volume);
    }
    return result;
}

Volume MountedDrives::volumeAt(const QString &rootPath) const
{
    QStorageInfo storage(rootPath);
    Volume volume = toVolume(storage);
    QString wanted = rootPath.endsWith(QLatin1Char('/')) ? rootPath : rootPath + QLatin1Char('/');
    // A path whose own volume is gone is reported by QStorageInfo as the volume above it.
    if (volume.rootPath != wanted || !QDir(rootPath).exists())
        volume.ready = false;
    volume.rootPath = wanted;
    return volume;
}

bool QtDesktopShell::openUrl(const QUrl &url)
{
    return url.isValid() && QDesktopServices::openUrl(url);
}

LockFileInstanceGuard::LockFileInstanceGuard(const QString &lockFilePath)
    : m_lock(std::make_unique<QLockFile>(lockFilePath))
{
    // A lock left by a killed instance is taken over at once: its owner process is gone.
    m_lock->setStaleLockTime(0);
}

bool LockFileInstanceGuard::tryBecomeOnlyInstance()
{
    if (m_lock->isLocked() || m_lock->tryLock(0))
        return true;
    // Only a lock held by a live instance means "running"; a lock file that cannot be made at
    // all (no writable runtime folder) must not keep the program from starting.
    return m_lock->error() != QLockFile::LockFailedError;
}

QString LockFileInstanceGuard::defaultLockFilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/nerav-schedule-generator.lock");
}

} // namespace nerav
