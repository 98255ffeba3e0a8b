#include "MediumRules.h"

#include <QFile>
#include <QStorageInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace nerav {

namespace {

constexpr qint64 FatLargestFile = Q_INT64_C(4) * 1024 * 1024 * 1024 - 1;
constexpr qint64 QuarterHourMs = 15 * 60 * 1000;
constexpr qint64 LargestZoneShiftMs = 26 * 60 * 60 * 1000; // UTC-12 against UTC+14

// The file system udev found on a block device, when udev runs.
QByteArray TypeFromUdev(dev_t device)
{
    QFile data(QStringLiteral("/run/udev/data/b%1:%2").arg(major(device)).arg(minor(device)));
    if (!data.open(QIODevice::ReadOnly))
        return QByteArray();
    const QList<QByteArray> lines = data.read(64 * 1024).split('\n');
    for (const QByteArray &line : lines)
        if (line.startsWith("E:ID_FS_TYPE="))
            return line.mid(13).trimmed();
    return QByteArray();
}

// The file system by the signature in its first sector; empty when unreadable or unknown.
QByteArray TypeFromBootSector(const QString &devicePath)
{
    const int fd = ::open(QFile::encodeName(devicePath).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return QByteArray();
    struct stat status;
    char sector[512];
    ssize_t read = -1;
    if (::fstat(fd, &status) == 0 && S_ISBLK(status.st_mode)) {
        do {
            read = ::pread(fd, sector, sizeof sector, 0);
        } while (read < 0 && errno == EINTR);
    }
    ::close(fd);
    if (read != ssize_t(sizeof sector))
        return QByteArray();
    const QByteArray bytes(sector, sizeof sector);
    if (bytes.mid(3, 8) == "EXFAT   ")
        return "exfat";
    if (bytes.mid(3, 8) == "NTFS    ")
        return "ntfs";
    if (bytes.mid(82, 5) == "FAT32" || bytes.mid(54, 4) == "FAT1")
        return "vfat";
    return QByteArray();
}

// What a FUSE mount serves: its subtype ("fuse.exfat"), else what its block device holds.
QByteArray ServedType(const QByteArray &mountType, const QStorageInfo &storage)
{
    if (mountType.startsWith("fuse.") || mountType.startsWith("fuseblk."))
        return mountType.mid(mountType.indexOf('.') + 1);
    const QString device = QFile::decodeName(storage.device());
    struct stat status;
    if (::stat(storage.device().constData(), &status) != 0 || !S_ISBLK(status.st_mode))
        return mountType;
    QByteArray type = TypeFromUdev(status.st_rdev);
    if (type.isEmpty())
        type = TypeFromBootSector(device);
    return type.isEmpty() ? mountType : type;
}

} // namespace

MediumRules RulesOfFileSystem(const QByteArray &type, bool fuse)
{
    MediumRules rules;
    rules.fileSystem = type;
    rules.fuse = fuse;
    const QByteArray name = type.toLower();
    static const QList<QByteArray> fat {"vfat",  "msdos", "fat",     "fat12",
                                        "fat16", "fat32", "fusefat", "umsdos"};
    static const QList<QByteArray> exfat {"exfat", "exfat-fuse"};
    static const QList<QByteArray> ntfs {"ntfs", "ntfs3", "ntfs-3g"};
    if (fat.contains(name)) {
        rules.fileSystem = "vfat";
        rules.timeStepMs = 2000;
        rules.localTime = true;
        rules.caseInsensitive = true;
        rules.linksAndSpecialFiles = false;
        rules.largestFile = FatLargestFile;
    } else if (exfat.contains(name)) {
        rules.fileSystem = "exfat";
        // exFAT keeps 10 ms and the zone; FUSE programs give whole seconds.
        rules.timeStepMs = fuse ? 1000 : 10;
        rules.caseInsensitive = true;
        rules.linksAndSpecialFiles = false;
    } else if (ntfs.contains(name)) {
        rules.timeStepMs = fuse ? 1000 : 1;
    } else if (fuse) {
        // A FUSE file system we cannot see into: whole seconds or coarser, and names taken as
        // one whatever their case, so that nothing is removed as a second file.
        rules.timeStepMs = 2000;
        rules.caseInsensitive = true;
    }
    return rules;
}

MediumRules RulesOfMedium(const QString &folder)
{
    const QStorageInfo storage(folder);
    const QByteArray mountType = storage.isValid() ? storage.fileSystemType() : QByteArray();
    const bool fuse = mountType.startsWith("fuse");
    // Not pathconf(_PC_FILESIZEBITS): the C library guesses 32 bits for tmpfs and FUSE alike.
    return RulesOfFileSystem(fuse ? ServedType(mountType, storage) : mountType, fuse);
}

bool SameTimeOnMedium(const QDateTime &a, const QDateTime &b, const MediumRules &rules)
{
    if (!a.isValid() || !b.isValid())
        return false;
    const qint64 step = qMax<qint64>(rules.timeStepMs, 1);
    const qint64 apart = qAbs(a.msecsTo(b));
    if (apart < step)
        return true;
    if (!rules.localTime || apart > LargestZoneShiftMs + step)
        return false;
    const qint64 off = apart % QuarterHourMs;
    return off < step || QuarterHourMs - off < step;
}

qint64 BytesFreeOnVolume(const QString &folder)
{
    struct statvfs volume;
    if (::statvfs(QFile::encodeName(folder).constData(), &volume) != 0 || volume.f_blocks == 0)
        return -1;
    return qint64(volume.f_bavail) * qint64(volume.f_frsize);
}

} // namespace nerav
