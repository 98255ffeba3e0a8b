// The single-instance lock: one winner among simultaneous starts, and no block from a lock file
// left behind (empty, garbage, or held by an instance that was killed).

#include "QtPlatform.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace nerav;

namespace {

// A process id that surely belongs to no running process any more.
qint64 DeadProcessId()
{
    QProcess shortLived;
    shortLived.start("sleep", {"30"});
    shortLived.waitForStarted();
    const qint64 pid = shortLived.processId();
    shortLived.kill();
    shortLived.waitForFinished();
    return pid;
}

} // namespace

class InstanceGuardTest : public QObject
{
    Q_OBJECT

private slots:
    void exactlyOneOfTwoWins();
    void leftOverLockFileDoesNotBlock_data();
    void leftOverLockFileDoesNotBlock();
    void killedOwnerDoesNotBlock();
    void lockIsReleasedWithItsOwner();
    void unwritableLockFolderDoesNotBlock();
    void defaultLockIsPerUserAndNotBesideTheProgram();
};

void InstanceGuardTest::exactlyOneOfTwoWins()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("nerav.lock");
    LockFileInstanceGuard first(path);
    LockFileInstanceGuard second(path);
    QVERIFY(first.tryBecomeOnlyInstance());
    QVERIFY(!second.tryBecomeOnlyInstance());
    // The winner keeps its role when asked again.
    QVERIFY(first.tryBecomeOnlyInstance());
}

void InstanceGuardTest::leftOverLockFileDoesNotBlock_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty (a crash while it was written)") << QByteArray();
    QTest::newRow("garbage (a power cut)") << QByteArray("\x00\xff\x13garbage\n\n", 12);
    QTest::newRow("a process id that is not running") << QByteArray::number(DeadProcessId()) +
                    "\nnerav-schedule-generator\n" + QSysInfo::machineHostName().toUtf8() + '\n';
}

void InstanceGuardTest::leftOverLockFileDoesNotBlock()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath("nerav.lock");
    QFile lock(path);
    QVERIFY(lock.open(QIODevice::WriteOnly));
    QCOMPARE(lock.write(content), content.size());
    lock.close();

    LockFileInstanceGuard guard(path);
    QVERIFY(guard.tryBecomeOnlyInstance());
    LockFileInstanceGuard second(path);
    QVERIFY(!second.tryBecomeOnlyInstance());
}

// An instance killed while it held the lock: the system releases the lock with the process.
void InstanceGuardTest::killedOwnerDoesNotBlock()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("nerav.lock");
    int ready[2];
    QCOMPARE(::pipe(ready), 0);
    const pid_t owner = ::fork();
    QVERIFY(owner >= 0);
    if (owner == 0) {
        LockFileInstanceGuard guard(path);
        const char answer = guard.tryBecomeOnlyInstance() ? 'y' : 'n';
        [[maybe_unused]] const ssize_t written = ::write(ready[1], &answer, 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char answer = 0;
    QCOMPARE(::read(ready[0], &answer, 1), ssize_t(1));
    ::close(ready[0]);
    QCOMPARE(answer, 'y');

    LockFileInstanceGuard whileRunning(path);
    const bool blockedWhileRunning = !whileRunning.tryBecomeOnlyInstance();
    ::kill(owner, SIGKILL);
    ::waitpid(owner, nullptr, 0);
    QVERIFY(blockedWhileRunning);
    LockFileInstanceGuard afterKill(path);
    QVERIFY(afterKill.tryBecomeOnlyInstance());
}

void InstanceGuardTest::lockIsReleasedWithItsOwner()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("nerav.lock");
    {
        LockFileInstanceGuard first(path);
        QVERIFY(first.tryBecomeOnlyInstance());
    }
    LockFileInstanceGuard next(path);
    QVERIFY(next.tryBecomeOnlyInstance());
}

void InstanceGuardTest::unwritableLockFolderDoesNotBlock()
{
    QTemporaryDir dir;
    QFile notAFolder(dir.filePath("file"));
    QVERIFY(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    LockFileInstanceGuard guard(dir.filePath("file/nerav.lock"));
    QVERIFY(guard.tryBecomeOnlyInstance());
}

void InstanceGuardTest::defaultLockIsPerUserAndNotBesideTheProgram()
{
    const QString path = LockFileInstanceGuard::defaultLockFilePath();
    QVERIFY(!path.startsWith(QCoreApplication::applicationDirPath() + '/'));
    QVERIFY(path.startsWith(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)) ||
            path.startsWith(QDir::tempPath()));
}

QTEST_GUILESS_MAIN(InstanceGuardTest)
#include "tst_instanceguard.moc"
