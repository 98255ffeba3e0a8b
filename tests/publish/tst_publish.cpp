// The check before a publish and the publish itself, on folders of the test machine's disk and
// small tmpfs mounts.

#include "FakePlatform.h"
#include "PublishPlan.h"
#include "Publisher.h"
#include "ScheduleFile.h"
#include "TestEntries.h"
#include "TestFiles.h"
#include "TmpfsMount.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace nerav;
using namespace nerav::test;

Q_DECLARE_METATYPE(PublishAction)

namespace {

constexpr qint64 FourGiB = Q_INT64_C(4) * 1024 * 1024 * 1024;

// SONG.MP3 in the basic list and in the first advance schedule, CLIP.AVI once.
ScheduleDocument TwoNameSchedule()
{
    ScheduleDocument document;
    document.basicEntries = {MakeEntry("SONG", "MP3", 1, 13), MakeEntry("CLIP", "AVI", 1, 13)};
    AdvanceSchedule advance;
    advance.details = {MakeEntry("SONG", "MP3", 2, 5)};
    document.advanceSchedules = {advance};
    return document;
}

void SetTime(const QString &path, const QDateTime &time)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

QList<int> ProblemKinds(const PublishPlan &plan)
{
    QList<int> kinds;
    for (const PlanProblem &problem : plan.problems)
        kinds.append(int(problem.kind));
    return kinds;
}

} // namespace

class PublishTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_media;
    QString m_medium;
    const QDateTime m_time = QDateTime::fromSecsSinceEpoch(1700000000);

    // "path=content" files under a folder, each with m_time plus some seconds ("path=content@3").
    void MakeFiles(const QString &folder, const QStringList &files)
    {
        for (const QString &file : files) {
            const QString path = folder + '/' + file.section('=', 0, 0);
            QString content = file.section('=', 1);
            const int seconds = content.contains('@') ? content.section('@', 1).toInt() : 0;
            content = content.section('@', 0, 0);
            QDir().mkpath(QFileInfo(path).absolutePath());
            if (content == QLatin1String("4GiB")) {
                QFile sparse(path);
                QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(FourGiB));
            } else {
                QVERIFY(WriteFile(path, content.toLatin1()));
            }
            SetTime(path, m_time.addSecs(seconds));
        }
    }

    PublishRequest Request(std::optional<MediumVolume> volume = std::nullopt) const
    {
        return {m_media, m_medium, QStringLiteral("SCHEDULE.NRV"), volume};
    }

    PublishPlan Plan(const ScheduleDocument &document) const
    {
        return MakePublishPlan(document, Request());
    }

private slots:
    void init()
    {
        m_media = m_dir.path() + "/media";
        m_medium = m_dir.path() + "/medium";
        QDir(m_media).removeRecursively();
        QDir(m_medium).removeRecursively();
        QVERIFY(QDir().mkpath(m_media) && QDir().mkpath(m_medium));
    }

    void plan_data()
    {
        QTest::addColumn<QStringList>("media");
        QTest::addColumn<QStringList>("medium");
        QTest::addColumn<qint64>("available");
        QTest::addColumn<QByteArray>("fileSystem");
        QTest::addColumn<PublishAction>("song");
        QTest::addColumn<QList<int>>("problems");

        const QStringList clip {"CLIP.AVI=clip"};
        const QByteArray ext4("ext4");
        const qint64 plenty = 1 << 30;
        QTest::newRow("copy, found in a subfolder, any case")
                << (clip + QStringList {"sub/Song.mp3=song"}) << QStringList {} << plenty << ext4
                << PublishAction::Copy << QList<int> {};
        QTest::newRow("missing") << clip << QStringList {} << plenty << ext4
                                 << PublishAction::Missing
                                 << QList<int> {int(PlanProblemKind::Missing)};
        QTest::newRow("two files of the name")
                << (clip + QStringList {"a/SONG.MP3=one", "b/song.MP3=two"}) << QStringList {}
                << plenty << ext4 << PublishAction::Duplicate
                << QList<int> {int(PlanProblemKind::Duplicate)};
        QTest::newRow("up to date within FAT's two seconds")
                << (clip + QStringList {"SONG.MP3=song"}) << QStringList {"SONG.MP3=song@1"}
                << plenty << QByteArray("vfat") << PublishAction::UpToDate << QList<int> {};
        QTest::newRow("replace: other time")
                << (clip + QStringList {"SONG.MP3=song"}) << QStringList {"SONG.MP3=song@60"}
                << plenty << ext4 << PublishAction::Replace << QList<int> {};
        QTest::newRow("replace: other size")
                << (clip + QStringList {"SONG.MP3=song"}) << QStringList {"SONG.MP3=old song"}
                << plenty << ext4 << PublishAction::Replace << QList<int> {};
        QTest::newRow("4 GiB on FAT") << (clip + QStringList {"SONG.MP3=4GiB"}) << QStringList {}
                                      << FourGiB * 2 << QByteArray("vfat") << PublishAction::Copy
                                      << QList<int> {int(PlanProblemKind::TooBigForFat)};
        QTest::newRow("4 GiB elsewhere")
                << (clip + QStringList {"SONG.MP3=4GiB"}) << QStringList {} << FourGiB * 2 << ext4
                << PublishAction::Copy << QList<int> {};
        QTest::newRow("no space") << (clip + QStringList {"SONG.MP3=song"}) << QStringList {}
                                  << qint64(100) << ext4 << PublishAction::Copy
                                  << QList<int> {int(PlanProblemKind::NoSpace)};
    }

    void plan()
    {
        QFETCH(QStringList, media);
        QFETCH(QStringList, medium);
        QFETCH(qint64, available);
        QFETCH(QByteArray, fileSystem);
        MakeFiles(m_media, media);
        MakeFiles(m_medium, medium);
        const PublishPlan plan =
                MakePublishPlan(TwoNameSchedule(), Request(MediumVolume {available, fileSystem}));
        QCOMPARE(plan.rows.size(), std::size_t(2));
        QCOMPARE(plan.rows[0].name, QStringLiteral("SONG.MP3"));
        QCOMPARE(int(plan.rows[0].uses.size()), 2);
        QCOMPARE(plan.rows[0].uses[1].schedule, 1);
        QTEST(plan.rows[0].action, "song");
        QCOMPARE(plan.rows[1].action, PublishAction::Copy);
        QTEST(ProblemKinds(plan), "problems");
    }

    void plan_replacingFreesSpace()
    {
        MakeFiles(m_media, {"CLIP.AVI=clip", "SONG.MP3=" + QString(3000, 'n')});
        MakeFiles(m_medium, {"SONG.MP3=" + QString(2900, 'o')});
        // Room for the new copy beside the old one is enough: the rest fits in what it frees.
        const PublishPlan fits =
                MakePublishPlan(TwoNameSchedule(), Request(MediumVolume {3000, "ext4"}));
        QVERIFY2(fits.ok(), "replacing frees what the old copy took");
        const PublishPlan tight =
                MakePublishPlan(TwoNameSchedule(), Request(MediumVolume {2999, "ext4"}));
        QCOMPARE(ProblemKinds(tight), QList<int> {int(PlanProblemKind::NoSpace)});
    }

    void plan_preSaveAndExtras()
    {
        ScheduleDocument document = TwoNameSchedule();
        document.advanceSchedules.push_back(AdvanceSchedule {});
        MakeFiles(m_media, {"CLIP.AVI=clip", "SONG.MP3=song"});
        MakeFiles(m_medium, {"OTHER.JPG=x", "schedule.nrv=old"});
        const PublishPlan plan = Plan(document);
        QCOMPARE(ProblemKinds(plan), QList<int> {int(PlanProblemKind::PreSave)});
        QCOMPARE(plan.problems[0].schedulePosition, 2);
        QCOMPARE(plan.extras, QStringList {"OTHER.JPG"});
    }

    void publish_thenRepublishCopiesNothing()
    {
        MakeFiles(m_media, {"CLIP.AVI=clip", "deep/er/song.mp3=song"});
        MakeFiles(m_medium, {"SONG.MP3=stale song"});
        const ScheduleDocument document = TwoNameSchedule();
        SeededRandom random;
        const PublishResult first =
                Publisher::PublishAndWait(Plan(document), document, random, true);
        QVERIFY2(first.ok(), qPrintable(first.reason));
        QCOMPARE(first.filesCopied, 2);
        QVERIFY(first.verified);
        QCOMPARE(ReadFile(m_medium + "/SONG.MP3"), QByteArray("song"));
        QCOMPARE(QFileInfo(m_medium + "/CLIP.AVI").lastModified(), m_time);
        ScheduleDocument read;
        QVERIFY(ReadScheduleFile(m_medium + '/', "SCHEDULE.NRV", read));
        QVERIFY(read.SameContentAs(document));
        QCOMPARE(QDir(m_medium).entryList(QDir::Files),
                 (QStringList {"CLIP.AVI", "SCHEDULE.NRV", "SONG.MP3"}));

        const PublishPlan again = Plan(document);
        QCOMPARE(again.count(PublishAction::UpToDate), 2);
        const PublishResult second = Publisher::PublishAndWait(again, document, random, true);
        QVERIFY(second.ok());
        QCOMPARE(second.filesCopied, 0);
        QCOMPARE(second.filesUpToDate, 2);
        QVERIFY(second.verified);
    }

    void publish_stopsOnProblemsWritingNothing()
    {
        MakeFiles(m_media, {"SONG.MP3=song"});
        const ScheduleDocument document = TwoNameSchedule();
        SeededRandom random;
        const PublishResult result =
                Publisher::PublishAndWait(Plan(document), document, random, true);
        QCOMPARE(result.outcome, PublishOutcome::Stopped);
        QVERIFY(QDir(m_medium).isEmpty());
    }

    void publish_verifyFindsADifference()
    {
        MakeFiles(m_media, {"CLIP.AVI=clip", "SONG.MP3=song"});
        const ScheduleDocument document = TwoNameSchedule();
        SeededRandom random;
        Publisher publisher;
        publisher.beforeVerify = [](const QString &path) {
            if (path.endsWith("CLIP.AVI"))
                WriteFile(path, "clap");
        };
        QSignalSpy finished(&publisher, &Publisher::finished);
        QVERIFY(publisher.start(Plan(document), document, random, true));
        QVERIFY(finished.wait(10000));
        const auto result = finished.at(0).at(0).value<PublishResult>();
        QCOMPARE(result.outcome, PublishOutcome::VerifyFailed);
        QCOMPARE(result.fileName, QStringLiteral("CLIP.AVI"));
        QVERIFY(!QFileInfo::exists(m_medium + "/SCHEDULE.NRV"));
    }

    void publish_cancelLeavesNoPartialFile()
    {
        // Big enough that the copy is still running when the cancel arrives.
        QFile big(m_media + "/CLIP.AVI");
        QVERIFY(big.open(QIODevice::WriteOnly));
        const QByteArray block(1 << 20, 'b');
        for (int i = 0; i < 64; ++i)
            QVERIFY(big.write(block) == block.size());
        big.close();
        MakeFiles(m_media, {"SONG.MP3=song"});
        MakeFiles(m_medium, {"CLIP.AVI=older"});
        const ScheduleDocument document = TwoNameSchedule();
        SeededRandom random;
        Publisher publisher;
        QSignalSpy finished(&publisher, &Publisher::finished);
        connect(&publisher, &Publisher::currentFileChanged, &publisher,
                [&publisher](const QString &name) {
                    if (name == QLatin1String("CLIP.AVI"))
                        publisher.cancel();
                });
        QVERIFY(publisher.start(Plan(document), document, random, true));
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.at(0).at(0).value<PublishResult>().outcome, PublishOutcome::Cancelled);
        QCOMPARE(QDir(m_medium).entryList(QDir::Files | QDir::Hidden),
                 (QStringList {"CLIP.AVI", "SONG.MP3"}));
        QCOMPARE(ReadFile(m_medium + "/CLIP.AVI"), QByteArray("older"));
    }

    void publish_toFullOrReadOnlyMedium_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("full") << false;
        QTest::newRow("read-only") << true;
    }

    void publish_toFullOrReadOnlyMedium()
    {
        QFETCH(bool, readOnly);
        TmpfsMount mount(m_medium, QStringLiteral("size=64k"));
        if (!mount.isMounted())
            QSKIP("mounting a tmpfs is not allowed here");
        MakeFiles(m_media, {"CLIP.AVI=clip", "SONG.MP3=" + QString(200000, 's')});
        QVERIFY(readOnly ? mount.makeReadOnly() : mount.fill());
        const ScheduleDocument document = TwoNameSchedule();
        const PublishPlan plan = Plan(document);
        QCOMPARE(ProblemKinds(plan).value(0),
                 int(readOnly ? PlanProblemKind::NoMedium : PlanProblemKind::NoSpace));
        // Even past the check, the copier's failure reaches the result and nothing is left.
        PublishPlan forced = plan;
        forced.problems.clear();
        SeededRandom random;
        const PublishResult result = Publisher::PublishAndWait(forced, document, random, true);
        QCOMPARE(result.outcome, PublishOutcome::CopyFailed);
        QVERIFY(!QFileInfo::exists(m_medium + "/SCHEDULE.NRV"));
        QVERIFY(!QFileInfo::exists(m_medium + "/SONG.MP3"));
    }
};

QTEST_GUILESS_MAIN(PublishTest)
#include "tst_publish.moc"
