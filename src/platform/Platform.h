#pragma once

// What the program takes from its surroundings and a test cannot own: the date, random
// numbers, the mounted drives, the desktop's link handler and the other running instance.
// The program uses the Qt implementations (QtPlatform.h); tests pass their own.

#include "RandomReal.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QUrl>

namespace nerav {

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

// A mounted volume the copy and publish dialogs can offer as a drive.
struct Volume
{
    QString rootPath; // ends with "/"
    QString name; // label, may be empty
    bool ready = true;
    QString fileSystemType;
    // The system says the device can be taken out (a stick, a card), or the desktop mounted it
    // as plugged-in media.
    bool removable = false;
    qint64 bytesTotal = -1; // -1: unknown
    qint64 bytesFree = -1;
};

class DriveList
{
public:
    virtual ~DriveList() = default;
    // Volumes a user may copy to, removable ones first, otherwise in a stable order.
    virtual QList<Volume> volumes() const = 0;
    // The current state of the volume at rootPath; ready is false when it is gone.
    virtual Volume volumeAt(const QString &rootPath) const = 0;
};

class DesktopShell
{
public:
    virtual ~DesktopShell() = default;
    // Hands a link to the desktop's default handler; false when the hand-over itself failed.
    virtual bool openUrl(const QUrl &url) = 0;
};

// Why no instance lock could be taken; the program then runs without handing files over.
enum class LockProblem { None, FolderNotPrivate, NotRegularFile, CannotOpen };

// Detects a second running copy of the program.
class InstanceGuard
{
public:
    virtual ~InstanceGuard() = default;
    // True when this process may run: it is the only running instance (and now holds that
    // role), or no lock could be taken at all (lockProblem() says why). False while another
    // instance holds the lock.
    virtual bool tryBecomeOnlyInstance() = 0;
    virtual LockProblem lockProblem() const { return LockProblem::None; }
    // The lock file, or the folder it should be in, for telling the user about a problem.
    virtual QString lockPath() const { return {}; }
};

struct Platform
{
    Clock &clock;
    RandomReal &random;
    DriveList &drives;
    DesktopShell &shell;
};

} // namespace nerav
