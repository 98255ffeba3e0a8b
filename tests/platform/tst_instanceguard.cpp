// The single-instance lock: one winner among simultaneous starts, and no block from a lock
// left behind by a killed instance.

#include "QtPlatform.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace nerav;

class InstanceGuardTest : public QObject
{
    Q_OBJECT

private slots:
    void exactlyOneOfTwoWins();
    void lockOfADeadProcessDoesNotBlock();
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

void InstanceGuardTest::lockOfADeadProcessDoesNotBlock()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("nerav.lock");

    // A process id that surely belongs to no running process any more.
    QProcess shortLived;
    shortLived.start("sleep", {"30"});
    QVERIFY(shortLived.waitForStarted());
    const qint64 deadPid = shortLived.processId();
    shortLived.kill();
    QVERIFY(shortLived.waitForFinished());

    QFile lock(path);
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + '\n' + QCoreApplication::applicationName().toUtf8() +
               '\n' + QSysInfo::machineHostName().toUtf8() + '\n');
    lock.close();

    LockFileInstanceGuard guard(path);
    QVERIFY(guard.tryBecomeOnlyInstance());
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
