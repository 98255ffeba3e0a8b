#pragma once

// What a medium's file system allows, found from the system's mount table: its name (a FUSE
// mount is looked through to the file system it serves), how finely it keeps modification
// times and in which clock, whether it tells names apart by case, whether it has links and
// special files, how large a file may be, and whether it tells its free space at all.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace nerav {

struct MediumRules
{
    // As the system names it, a FUSE mount's served file system resolved ("vfat", "exfat",
    // "ext4", "ntfs"...); the mount's own type ("fuseblk") when it cannot be told.
    QByteArray fileSystem;
    bool fuse = false; // served by a program through FUSE
    qint64 timeStepMs = 1; // two times closer than this may be the same time on the medium
    // Times are kept as the clock on the wall without its zone (FAT): read under another time
    // zone they move by whole quarter hours.
    bool localTime = false;
    bool caseInsensitive = false; // "a.mpg" and "A.MPG" are one file
    bool linksAndSpecialFiles = true;
    qint64 largestFile = -1; // in bytes; -1: no limit known
};

// The rules of a file system by the type name the mount table gives; fuse when a FUSE program
// serves it.
MediumRules RulesOfFileSystem(const QByteArray &type, bool fuse);

// The rules of the medium that holds the folder (its type from the mount table; a FUSE block
// device is read for its file system's signature where the system lets us read it).
MediumRules RulesOfMedium(const QString &folder);

// Whether two modification times of one file read on media with these rules are the same time.
bool SameTimeOnMedium(const QDateTime &a, const QDateTime &b, const MediumRules &rules);

// What the volume holding the folder says of its room: the bytes free to us, or -1 when it does
// not tell (a FUSE file system that reports no blocks at all, as fusefat does).
qint64 BytesFreeOnVolume(const QString &folder);

} // namespace nerav
