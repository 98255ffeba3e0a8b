// nrvtool publish and check on the media the player reads: real FAT32 and exFAT file systems
// mounted through FUSE, unmounted and mounted again, read in another time zone, and a publish
// killed on the way.

#include "FuseMedium.h"
#include "TestFiles.h"
#include "ToolRun.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

using namespace nerav;
using namespace nerav::test;

Q_DECLARE_METATYPE(nerav::test::FuseFileSystem)

namespace {

// Times with milliseconds and odd seconds, which no FAT or FUSE medium keeps as they are.
bool SetTime(const QString &path, const QString &iso)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
            file.setFileTime(QDateTime::fromString(iso, Qt::ISODateWithMs),
                             QFileDevice::FileModificationTime);
}

} // namespace

class TestNrvToolMedium : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_schedule, m_media;

    void MakeSchedule(const QByteArray &json)
    {
        const QString file = m_dir.path() + "/shop.json";
        QVERIFY(WriteFile(file, json));
        QCOMPARE(RunTool({"make", file, m_schedule}).exitCode, 0);
    }

    // check --media, which must call every file present.
    void CheckClean(const QString &medium, int files, const char *when)
    {
        const ToolRun check = RunTool({"check", m_schedule, medium, "--media", m_media});
        QVERIFY2(check.exitCode == 0, qPrintable(QString(when) + ":\n" + check.out + check.err));
        QVERIFY2(check.out.contains(QStringLiteral("summary: %1 present, 0 missing, 0 damaged, "
                                                   "0 outdated")
                                            .arg(files)),
                 qPrintable(check.out));
    }

    static QStringList Names(const QString &folder)
    {
        return QDir(folder).entryList(
                QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    void FileSystems()
    {
        QTest::addColumn<FuseFileSystem>("fileSystem");
        QTest::newRow("FAT32") << FuseFileSystem::Fat32;
        QTest::newRow("exFAT") << FuseFileSystem::ExFat;
    }

private slots:
    void init()
    {
        m_schedule = m_dir.path() + "/SHOP.NRV";
        m_media = m_dir.path() + "/media";
        QDir(m_media).removeRecursively();
        QVERIFY(QDir().mkpath(m_media));
    }

    void publishCheckRemountRepublish_data() { FileSystems(); }
    void publishCheckRemountRepublish()
    {
        QFETCH(FuseFileSystem, fileSystem);
        QTemporaryDir place;
        FuseMedium medium(fileSystem, place.path());
        if (!medium.isMounted())
            QSKIP(qPrintable(medium.skipReason()));
        MakeSchedule(
                R"({"basic": [{"name": "song.mp3"}, {"name": "clip.avi"}, {"name": "A.JPG"}]})");
        QVERIFY(WriteFile(m_media + "/SONG.MP3", QByteArray(70000, 's')));
        QVERIFY(WriteFile(m_media + "/clip.avi", QByteArray(5000, 'c')));
        QVERIFY(WriteFile(m_media + "/a.jpg", "jpeg"));
        QVERIFY(SetTime(m_media + "/SONG.MP3", "2025-07-01T10:11:13.789Z"));
        QVERIFY(SetTime(m_media + "/clip.avi", "2019-12-31T23:59:59.999Z"));

        const ToolRun run = RunTool({"publish", m_schedule, "--media", m_media, medium.path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
        // fusefat reports no blocks at all: its free space is unknown, not none.
        QCOMPARE(run.out.contains("note: The medium does not tell its free space"),
                 fileSystem == FuseFileSystem::Fat32);
        QVERIFY2(
                run.out.contains("published: 3 files copied (75004 bytes), 0 up to date, verified"),
                qPrintable(run.out));
        CheckClean(medium.path(), 3, "right after the publish");

        QVERIFY(medium.unmount() && medium.mount());
        CheckClean(medium.path(), 3, "mounted again");
        // FAT keeps the wall clock's time: read where the clock is 9 hours ahead.
        QVERIFY(medium.unmount() && medium.mount("Asia/Tokyo"));
        CheckClean(medium.path(), 3, "in another time zone");

        const ToolRun again = RunTool({"publish", m_schedule, "--media", m_media, medium.path()});
        QVERIFY2(again.exitCode == 0, qPrintable(again.out + again.err));
        QVERIFY2(again.out.contains("published: 0 files copied (0 bytes), 3 up to date"),
                 qPrintable(again.out));
    }

    // The player finds a name whatever its case: a copy under another case is replaced by the
    // schedule's name, and the medium never holds neither.
    void nameInAnotherCaseReplaced_data() { FileSystems(); }
    void nameInAnotherCaseReplaced()
    {
        QFETCH(FuseFileSystem, fileSystem);
        QTemporaryDir place;
        FuseMedium medium(fileSystem, place.path());
        if (!medium.isMounted())
            QSKIP(qPrintable(medium.skipReason()));
        MakeSchedule(R"({"basic": [{"name": "CLIP1.MPG"}, {"name": "b.avi"}]})");
        QVERIFY(WriteFile(m_media + "/clip1.mpg", "new content"));
        QVERIFY(WriteFile(m_media + "/B.AVI", "b"));
        // Copied by hand, before any publish, and listed by a publish under the old case.
        QVERIFY(WriteFile(medium.path() + "/clip1.mpg", "old"));
        QVERIFY(WriteFile(medium.path() + "/b.avi", "b"));
        const ToolRun run = RunTool({"publish", m_schedule, "--media", m_media, medium.path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
        QVERIFY2(run.out.contains("published: 2 files copied"), qPrintable(run.out));
        QCOMPARE(Names(medium.path()),
                 (QStringList {"B.AVI", "CLIP1.MPG", "NERAV.SUM", "SHOP.NRV"}));
        QCOMPARE(ReadFile(medium.path() + "/CLIP1.MPG"), QByteArray("new content"));
        CheckClean(medium.path(), 2, "after the publish");
        QVERIFY(medium.unmount() && medium.mount());
        QCOMPARE(Names(medium.path()),
                 (QStringList {"B.AVI", "CLIP1.MPG", "NERAV.SUM", "SHOP.NRV"}));
        CheckClean(medium.path(), 2, "mounted again");
        QVERIFY(!ReadFile(medium.path() + "/NERAV.SUM").contains("b.avi"));
    }

    // A publish killed at any moment leaves every name on an exFAT medium whole: the old copy or
    // the new one, never a part; the next publish ends the work.
    void killedPublishLeavesNamesWhole_data()
    {
        QTest::addColumn<int>("temporaries"); // seen on the medium before the kill
        QTest::newRow("while the first copy is written") << 1;
        QTest::newRow("while the third copy is written") << 3;
        QTest::newRow("while the sixth copy is written") << 6;
    }
    void killedPublishLeavesNamesWhole()
    {
        QFETCH(int, temporaries);
        QTemporaryDir place;
        FuseMedium medium(FuseFileSystem::ExFat, place.path(), 128);
        if (!medium.isMounted())
            QSKIP(qPrintable(medium.skipReason()));
        QByteArray json = R"({"basic": [)";
        for (int i = 1; i <= 6; ++i)
            json += QByteArray(i > 1 ? ", " : "") + "{\"name\": \"V" + QByteArray::number(i) +
                    ".MPG\"}";
        MakeSchedule(json + "]}");
        const auto content = [](int file, char version) {
            return QByteArray(3 * 1024 * 1024 + file, version);
        };
        for (int i = 1; i <= 6; ++i)
            QVERIFY(WriteFile(m_media + QStringLiteral("/V%1.MPG").arg(i), content(i, 'o')));
        QCOMPARE(RunTool({"publish", m_schedule, "--media", m_media, medium.path()}).exitCode, 0);
        for (int i = 1; i <= 6; ++i)
            QVERIFY(WriteFile(m_media + QStringLiteral("/V%1.MPG").arg(i), content(i, 'n')));

        QProcess publish;
        publish.start(NRVTOOL_PATH, {"publish", m_schedule, "--media", m_media, medium.path()});
        QVERIFY(publish.waitForStarted());
        QSet<QString> seen;
        while (seen.size() < temporaries && publish.state() != QProcess::NotRunning) {
            for (const QString &name : Names(medium.path()))
                if (name.contains(".nerav-tmp-"))
                    seen.insert(name);
            QThread::msleep(1);
        }
        publish.kill();
        publish.waitForFinished();
        for (int i = 1; i <= 6; ++i) {
            const QByteArray copy = ReadFile(medium.path() + QStringLiteral("/V%1.MPG").arg(i));
            QVERIFY2(copy == content(i, 'o') || copy == content(i, 'n'),
                     qPrintable(QStringLiteral("V%1.MPG is neither copy whole").arg(i)));
        }
        const ToolRun again = RunTool({"publish", m_schedule, "--media", m_media, medium.path()});
        QVERIFY2(again.exitCode == 0, qPrintable(again.out + again.err));
        for (int i = 1; i <= 6; ++i)
            QCOMPARE(ReadFile(medium.path() + QStringLiteral("/V%1.MPG").arg(i)), content(i, 'n'));
        CheckClean(medium.path(), 6, "after the publish that followed the kill");
        QVERIFY(medium.unmount() && medium.mount());
        CheckClean(medium.path(), 6, "mounted again");
    }

    // FAT32 holds files up to 4 GiB - 1 byte: a larger one stops the publish in its check.
    void largestFile_data()
    {
        QTest::addColumn<FuseFileSystem>("fileSystem");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("tooBig");
        const qint64 fourGiB = Q_INT64_C(4) * 1024 * 1024 * 1024;
        QTest::newRow("FAT32: 4 GiB") << FuseFileSystem::Fat32 << fourGiB << true;
        QTest::newRow("FAT32: 4 GiB - 1") << FuseFileSystem::Fat32 << fourGiB - 1 << false;
        QTest::newRow("exFAT: 4 GiB") << FuseFileSystem::ExFat << fourGiB << false;
    }
    void largestFile()
    {
        QFETCH(FuseFileSystem, fileSystem);
        QFETCH(qint64, size);
        QFETCH(bool, tooBig);
        QTemporaryDir place;
        FuseMedium medium(fileSystem, place.path());
        if (!medium.isMounted())
            QSKIP(qPrintable(medium.skipReason()));
        MakeSchedule(R"({"basic": [{"name": "BIG.MPG"}]})");
        QFile big(m_media + "/BIG.MPG");
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(size)); // sparse
        big.close();
        QStringList arguments {"publish", m_schedule, "--media", m_media, medium.path()};
        if (!tooBig)
            arguments << "--dry-run"; // the image is far smaller: only the check is wanted
        const ToolRun run = RunTool(arguments);
        QCOMPARE(run.out.contains("problem: BIG.MPG is 4 GiB or more, too big for a FAT medium"),
                 tooBig);
        if (tooBig) {
            QCOMPARE(run.exitCode, 1);
            QVERIFY(run.out.contains("nothing written"));
            QVERIFY(Names(medium.path()).isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestNrvToolMedium)
#include "tst_nrvtool_medium.moc"
