#include "QtPlatform.h"

#include "PrivateFolder.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nerav {

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

// The clock's finest count, all of it: two runs started in the same millisecond (nrvtool in a
// loop) still get different file keys.
static QRandomGenerator FromClock()
{
    const auto now =
            static_cast<quint64>(std::chrono::system_clock::now().time_since_epoch().count());
    const quint32 seed[2] = {static_cast<quint32>(now), static_cast<quint32>(now >> 32)};
    return QRandomGenerator(seed);
}

ClockSeededRandom::ClockSeededRandom() : m_generator(FromClock()) { }

double ClockSeededRandom::next()
{
    return m_generator.generateDouble();
}

// The kernel's flag belongs to the whole disk: /sys/class/block/sdb/removable; a partition
// (sdb1) finds it one folder up from its own.
static bool removableDevice(const QByteArray &device)
{
    if (!device.startsWith("/dev/"))
        return false;
    QString node = QFileInfo(QFile::decodeName(device)).canonicalFilePath();
    if (node.isEmpty())
        node = QFile::decodeName(device);
    const QString block = QStringLiteral("/sys/class/block/") + QFileInfo(node).fileName();
    for (const QString &flag : {block + "/removable", block + "/../removable"}) {
        QFile file(flag);
        if (file.open(QIODevice::ReadOnly))
            return file.read(1) == "1";
    }
    return false;
}

// Desktops mount plugged-in media there, also disks that do not call themselves removable.
static bool desktopMediaMount(const QString &rootPath)
{
    return rootPath.startsWith(QLatin1String("/media/")) ||
            rootPath.startsWith(QLatin1String("/run/media/"));
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
    volume.removable = desktopMediaMount(volume.rootPath) || removableDevice(storage.device());
    if (volume.ready) {
        volume.bytesTotal = storage.bytesTotal();
        volume.bytesFree = storage.bytesAvailable();
    }
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
    std::stable_partition(result.begin(), result.end(),
                          [](const Volume &volume) { return volume.removable; });
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

LockFileInstanceGuard::LockFileInstanceGuard(const QString &lockFilePath) : m_path(lockFilePath) { }

LockFileInstanceGuard::~LockFileInstanceGuard()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool LockFileInstanceGuard::tryBecomeOnlyInstance()
{
    if (m_fd >= 0)
        return true;
    m_problem = LockProblem::None;
    // Another user's folder or lock could receive a second start's file or block a start.
    if (!IsPrivateFolder(QFileInfo(m_path).path(), true)) {
        m_problem = LockProblem::FolderNotPrivate;
        return true;
    }
    // O_NONBLOCK: a FIFO put in the lock's place must not stop the start.
    const int fd = ::open(QFile::encodeName(m_path).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_problem = errno == ELOOP || errno == EISDIR ? LockProblem::NotRegularFile
                                                      : LockProblem::CannotOpen;
        return true;
    }
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        m_problem = LockProblem::NotRegularFile;
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        if (!held)
            m_problem = LockProblem::CannotOpen;
        return !held;
    }
    m_fd = fd;
    // For people looking at the file only; the lock itself is what counts.
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::write(fd, pid.constData(), size_t(pid.size()));
    }
    return true;
}

QString LockFileInstanceGuard::lockPath() const
{
    return m_problem == LockProblem::FolderNotPrivate ? QFileInfo(m_path).path() : m_path;
}

QString LockFileInstanceGuard::defaultLockFilePath()
{
    return UserRuntimeFolder() + QStringLiteral("/nerav-schedule-generator.lock");
}

} // namespace nerav
