// The single-instance lock: one winner among simultaneous starts, no block from a lock file left
// behind (empty, garbage, or held by an instance that was killed), and only a private folder
// and a regular file used as the lock.

#include "QtPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
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
    void unusableLockRunsAlone_data();
    void unusableLockRunsAlone();
    void defaultLockIsInAPrivateFolder_data();
    void defaultLockIsInAPrivateFolder();
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

// A lock that another user could hold or read, or that is no regular file, is not used: the
// start goes on alone and says why, and it never counts as another instance running.
void InstanceGuardTest::unusableLockRunsAlone_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("problem");
    const int folder = int(LockProblem::FolderNotPrivate);
    const int notAFile = int(LockProblem::NotRegularFile);
    QTest::newRow("folder is a file") << "folder file" << folder;
    QTest::newRow("folder open to others") << "folder 0755" << folder;
    QTest::newRow("folder of another user") << "folder owner" << folder;
    QTest::newRow("folder is a link") << "folder link" << folder;
    QTest::newRow("lock is a folder") << "lock folder" << notAFile;
    QTest::newRow("lock is a dangling link") << "lock dangling" << notAFile;
    QTest::newRow("lock is a link to a file") << "lock link" << notAFile;
    QTest::newRow("lock is a FIFO") << "lock fifo" << notAFile;
}

void InstanceGuardTest::unusableLockRunsAlone()
{
    QFETCH(QString, setup);
    QFETCH(int, problem);
    QTemporaryDir dir;
    const QString folder = dir.filePath("run");
    const QString lock = folder + "/nerav.lock";
    const QByteArray folderName = QFile::encodeName(folder);
    const QByteArray lockName = QFile::encodeName(lock);
    if (setup == "folder file") {
        QFile file(folder);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (setup == "folder link") {
        QVERIFY(QDir().mkdir(dir.filePath("real")));
        QVERIFY(QFile::link(dir.filePath("real"), folder));
    } else {
        QCOMPARE(::mkdir(folderName, 0700), 0);
    }
    if (setup == "folder 0755")
        QCOMPARE(::chmod(folderName, 0755), 0);
    if (setup == "folder owner" && ::chown(folderName, 4321, 4321) != 0)
        QSKIP("only root can give the folder to another user");
    if (setup == "lock folder")
        QCOMPARE(::mkdir(lockName, 0700), 0);
    if (setup == "lock dangling")
        QCOMPARE(::symlink("gone", lockName), 0);
    if (setup == "lock link") {
        QFile file(folder + "/target");
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(::symlink("target", lockName), 0);
    }
    if (setup == "lock fifo")
        QCOMPARE(::mkfifo(lockName, 0600), 0);

    LockFileInstanceGuard first(lock);
    LockFileInstanceGuard second(lock);
    QVERIFY(first.tryBecomeOnlyInstance());
    QVERIFY(second.tryBecomeOnlyInstance());
    QCOMPARE(int(first.lockProblem()), problem);
    QCOMPARE(first.lockPath(), problem == int(LockProblem::FolderNotPrivate) ? folder : lock);
    QVERIFY(!QFileInfo(lock).isFile() || setup == "lock link");
}

// XDG_RUNTIME_DIR serves only when it is the user's own, closed to others; otherwise the lock
// goes to a folder of the user's own in the temporary folder, made private.
void InstanceGuardTest::defaultLockIsInAPrivateFolder_data()
{
    QTest::addColumn<QString>("runtime");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("used");
    QTest::newRow("private runtime folder") << "runtime" << 0700 << true;
    QTest::newRow("runtime folder open to others") << "runtime" << 0755 << false;
    QTest::newRow("relative runtime folder") << "relative" << 0700 << false;
    QTest::newRow("none") << QString() << 0 << false;
}

void InstanceGuardTest::defaultLockIsInAPrivateFolder()
{
    QFETCH(QString, runtime);
    QFETCH(int, mode);
    QFETCH(bool, used);
    QTemporaryDir dir;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray oldTemp = qgetenv("TMPDIR");
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_RUNTIME_DIR", oldRuntime);
        qputenv("TMPDIR", oldTemp);
    });
    const QString runtimeFolder = runtime == "runtime" ? dir.filePath(runtime) : runtime;
    if (runtime == "runtime")
        QCOMPARE(::mkdir(QFile::encodeName(runtimeFolder), mode_t(mode)), 0);
    if (runtime == "runtime")
        QCOMPARE(::chmod(QFile::encodeName(runtimeFolder), mode_t(mode)), 0);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder));
    qputenv("TMPDIR", QFile::encodeName(dir.path()));

    const QString path = LockFileInstanceGuard::defaultLockFilePath();
    const QString folder = used
            ? runtimeFolder
            : dir.path() + "/nerav-schedule-generator-" + QString::number(::geteuid());
    QCOMPARE(path, folder + "/nerav-schedule-generator.lock");
    QVERIFY(!path.startsWith(QCoreApplication::applicationDirPath() + '/'));
    LockFileInstanceGuard guard(path);
    QVERIFY(guard.tryBecomeOnlyInstance());
    QCOMPARE(int(guard.lockProblem()), int(LockProblem::None));
    struct stat status = {};
    QCOMPARE(::lstat(QFile::encodeName(folder), &status), 0);
    QCOMPARE(status.st_mode & 07777, mode_t(0700));
}

QTEST_GUILESS_MAIN(InstanceGuardTest)
#include "tst_instanceguard.moc"
