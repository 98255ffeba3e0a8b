#pragma once

#include "Platform.h"

#include <QLockFile>
#include <QRandomGenerator>
#include <memory>

namespace nerav {

class SystemClock : public Clock
{
public:
    QDate today() const override;
};

// Seeded from the clock once, when constructed.
class ClockSeededRandom : public RandomReal
{
public:
    ClockSeededRandom();
    double next() override;

private:
    QRandomGenerator m_generator;
};

class MountedDrives : public DriveList
{
public:
    QList<Volume> volumes() const override;
    Volume volumeAt(const QString &rootPath) const override;

    // Pseudo file systems and runtime mounts that no one copies media to.
    static bool isOffered(const QString &rootPath, const QString &fileSystemType);
};

class QtDesktopShell : public DesktopShell
{
public:
    bool openUrl(const QUrl &url) override;
};

// Holds a lock file in the per-user runtime folder for the life of the process.
class LockFileInstanceGuard : public InstanceGuard
{
public:
    explicit LockFileInstanceGuard(const QString &lockFilePath = defaultLockFilePath());
    bool tryBecomeOnlyInstance() override;

    static QString defaultLockFilePath();

private:
    std::unique_ptr<QLockFile> m_lock;
};

// The Qt services bundled for the program.
struct QtPlatform
{
    SystemClock clock;
    ClockSeededRandom random;
    MountedDrives drives;
    QtDesktopShell shell;

    Platform platform() { return Platform {clock, random, drives, shell}; }
};

} // namespace nerav
