#pragma once

// A real FAT32 or exFAT file system for a test, as the player's card or stick has it: an image
// file formatted with mkfs.vfat or mkfs.exfat and mounted through FUSE (fusefat; exFAT through a
// loop device and mount.exfat-fuse), the way a desktop without kernel drivers mounts them. It can
// be unmounted and mounted again, with another time zone for the FUSE program, as a medium that
// went to another machine. Everything is undone when the object goes. Tests QSKIP with
// skipReason() when /dev/fuse, a loop device or a tool is missing.

#include <QByteArray>
#include <QProcess>
#include <QString>

#include <memory>

namespace nerav::test {

enum class FuseFileSystem { Fat32, ExFat };

class FuseMedium
{
public:
    // Makes an image of sizeMiB beside folder/mnt in folder and mounts it on folder/mnt.
    FuseMedium(FuseFileSystem fileSystem, const QString &folder, int sizeMiB = 64);
    ~FuseMedium();
    FuseMedium(const FuseMedium &) = delete;
    FuseMedium &operator=(const FuseMedium &) = delete;

    bool isMounted() const { return m_daemon != nullptr; }
    // Why the medium could not be made or mounted; empty while it is mounted.
    QString skipReason() const { return m_reason; }
    QString path() const { return m_mountPoint; } // the mounted medium's root
    QString imagePath() const { return m_image; }
    static QString Name(FuseFileSystem fileSystem);

    // Unmounts and waits for the FUSE program to have written everything and ended.
    bool unmount();
    // Mounts again; with a time zone (as TZ takes it) the FUSE program runs in that zone.
    bool mount(const QByteArray &timeZone = QByteArray());

private:
    bool Fail(const QString &reason);

    FuseFileSystem m_fileSystem;
    QString m_image;
    QString m_mountPoint;
    QString m_loopDevice; // exFAT only
    QString m_reason;
    std::unique_ptr<QProcess> m_daemon; // the FUSE program, kept in the foreground
};

} // namespace nerav::test
