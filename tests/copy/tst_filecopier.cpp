#include "FileCopier.h"
#include "TestFiles.h"
#include "TmpfsMount.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace nerav;
using namespace nerav::test;

static const qint64 GiB = Q_INT64_C(1024) * 1024 * 1024;

class TestFileCopier : public QObject
{
    Q_OBJECT

private slots:
    void fitsOnVolume_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("available");
        QTest::addColumn<QByteArray>("fileSystem");
        QTest::addColumn<long>("fileSizeBits"); // pathconf's answer; -1 none
        QTest::addColumn<bool>("fits");
        QTest::newRow("room to spare")
                << qint64(100) << qint64(1000) << QByteArray("ext4") << 64L << true;
        QTest::newRow("exactly the room")
                << qint64(1000) << qint64(1000) << QByteArray("ext4") << 64L << true;
        QTest::newRow("one byte short")
                << qint64(1001) << qint64(1000) << QByteArray("ext4") << 64L << false;
        QTest::newRow("room unknown")
                << qint64(1001) << qint64(-1) << QByteArray("ext4") << 64L << true;
        QTest::newRow("32 bits below 4 GiB")
                << 4 * GiB - 1 << 8 * GiB << QByteArray("vfat") << 32L << true;
        QTest::newRow("32 bits at 4 GiB")
                << 4 * GiB << 8 * GiB << QByteArray("vfat") << 32L << false;
        QTest::newRow("FAT through FUSE at 4 GiB")
                << 4 * GiB << 8 * GiB << QByteArray("fuseblk") << 32L << false;
        QTest::newRow("64 bits at 8 GiB")
                << 8 * GiB << 16 * GiB << QByteArray("ext4") << 64L << true;
        QTest::newRow("no answer, FAT at 4 GiB")
                << 4 * GiB << 8 * GiB << QByteArray("vfat") << -1L << false;
        QTest::newRow("no answer, msdos at 4 GiB")
                << 4 * GiB << 8 * GiB << QByteArray("msdos") << -1L << false;
        QTest::newRow("no answer, exFAT at 4 GiB")
                << 4 * GiB << 8 * GiB << QByteArray("exfat") << -1L << true;
    }

    void fitsOnVolume()
    {
        QFETCH(qint64, size);
        QFETCH(qint64, available);
        QFETCH(QByteArray, fileSystem);
        QFETCH(long, fileSizeBits);
        QFETCH(bool, fits);
        QCOMPARE(FileCopier::FitsOnVolume(size, available, fileSystem, fileSizeBits), fits);
    }

    void canCopyNeedsSourceAndFolder()
    {
        QTemporaryDir temp;
        const QString source = temp.filePath("clip.mpg");
        QVERIFY(WriteFile(source, "clip"));
        QVERIFY(FileCopier::CanCopy(source, temp.path() + "/"));
        QVERIFY(!FileCopier::CanCopy(temp.filePath("missing.mpg"), temp.path() + "/"));
        QVERIFY(!FileCopier::CanCopy(source, temp.filePath("no-such-folder/")));
        QVERIFY(!FileCopier::CanCopy(temp.path(), temp.path() + "/")); // a folder is no file
    }

    void copiesAndReplaces()
    {
        QTemporaryDir temp;
        const QString source = temp.filePath("clip.mpg");
        const QString target = temp.filePath("out/clip.mpg");
        const QByteArray content = QByteArray(3 * FileCopier::ChunkSize + 17, 'x') + "end";
        QVERIFY(WriteFile(source, content));
        QVERIFY(QDir(temp.path()).mkdir("out"));
        QVERIFY(WriteFile(target, "old"));

        FileCopier copier;
        QSignalSpy finished(&copier, &FileCopier::finished);
        QSignalSpy progressed(&copier, &FileCopier::progressed);
        QVERIFY(copier.start(source, target));
        QVERIFY(!copier.start(source, target)); // one copy at a time
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().first().toBool(), true);
        QCOMPARE(ReadFile(target), content);
        QCOMPARE(ReadFile(source), content);
        QCOMPARE(progressed.last().at(0).toLongLong(), qint64(content.size()));
        QVERIFY(!copier.isRunning());
    }

    // A copy that stops part-way keeps the old file and leaves no partial one.
    void cancelledCopyLeavesOldFile()
    {
        QTemporaryDir temp;
        const QString source = temp.filePath("big.vob");
        QFile big(source);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(64 * FileCopier::ChunkSize));
        big.close();
        QVERIFY(QDir(temp.path()).mkdir("out"));
        const QString target = temp.filePath("out/big.vob");
        QVERIFY(WriteFile(target, "old"));

        FileCopier copier;
        QSignalSpy finished(&copier, &FileCopier::finished);
        connect(&copier, &FileCopier::progressed, &copier, [&](qint64 copied) {
            if (copied > 0)
                copier.cancel();
        });
        QVERIFY(copier.start(source, target));
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(ReadFile(target), QByteArray("old"));
        QCOMPARE(QDir(temp.filePath("out")).entryList(QDir::Files | QDir::Hidden),
                 QStringList {"big.vob"});
    }

    // The medium fills up during the copy (the free space was there when it started). A source
    // on another volume is copied through a buffer, one on the same volume by the system.
    void mediumFullDuringCopyLeavesOldFile_data()
    {
        QTest::addColumn<QString>("sourceName");
        QTest::addColumn<int>("sourceSize"); // the medium holds 256 KiB
        QTest::addColumn<QStringList>("filesOnMedium");
        QTest::newRow("source on another volume")
                << "clip.mpg" << 512 * 1024 << QStringList {"clip.mpg"};
        QTest::newRow("source on the same volume")
                << "medium/source.mpg" << 160 * 1024 << QStringList {"clip.mpg", "source.mpg"};
    }

    void mediumFullDuringCopyLeavesOldFile()
    {
        QFETCH(QString, sourceName);
        QFETCH(int, sourceSize);
        QFETCH(QStringList, filesOnMedium);
        QTemporaryDir temp;
        TmpfsMount medium(temp.filePath("medium"), "size=256k");
        if (!medium.isMounted())
            QSKIP("mounting a tmpfs is not allowed here");
        const QString target = temp.filePath("medium/clip.mpg");
        QVERIFY(WriteFile(target, "old"));
        const QString source = temp.filePath(sourceName);
        QVERIFY(WriteFile(source, QByteArray(sourceSize, 'n')));

        FileCopier copier;
        QSignalSpy finished(&copier, &FileCopier::finished);
        QVERIFY(copier.start(source, target));
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(ReadFile(target), QByteArray("old"));
        QCOMPARE(ReadFile(source), QByteArray(sourceSize, 'n'));
        QCOMPARE(QDir(temp.filePath("medium")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 filesOnMedium);
    }

    void missingSourceFails()
    {
        QTemporaryDir temp;
        FileCopier copier;
        QSignalSpy finished(&copier, &FileCopier::finished);
        QVERIFY(copier.start(temp.filePath("gone.mpg"), temp.filePath("copy.mpg")));
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().first().toBool(), false);
        QVERIFY(!QFile::exists(temp.filePath("copy.mpg")));
    }
};

QTEST_GUILESS_MAIN(TestFileCopier)
#include "tst_filecopier.moc"
