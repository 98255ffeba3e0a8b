#pragma once

#include "Platform.h"

#include <QRandomGenerator>

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

// Holds an flock on a regular file in the user's private folder for the life of the process. The
// system releases it when the process ends, however it ends, so neither a killed instance nor
// the file's content (empty, garbage) can block the next start; the file itself stays.
class LockFileInstanceGuard : public InstanceGuard
{
public:
    explicit LockFileInstanceGuard(const QString &lockFilePath = defaultLockFilePath());
    ~LockFileInstanceGuard() override;
    LockFileInstanceGuard(const LockFileInstanceGuard &) = delete;
    LockFileInstanceGuard &operator=(const LockFileInstanceGuard &) = delete;

    bool tryBecomeOnlyInstance() override;
    LockProblem lockProblem() const override { return m_problem; }
    QString lockPath() const override;

    // In the user's private runtime folder (PrivateFolder.h).
    static QString defaultLockFilePath();

private:
    QString m_path;
    int m_fd = -1; // open and locked while this process is the only instance
    LockProblem m_problem = LockProblem::None;
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
