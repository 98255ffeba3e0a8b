// The check before a publish and the publish itself, on folders of the test machine's disk and
// small tmpfs mounts.

#include "FakePlatform.h"
#include "FileCopier.h"
#include "FileSync.h"
#include "PlanChecker.h"
#include "PlanMedia.h"
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

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

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

// FILE0.MPG .. FILE<count-1>.MPG in the basic list.
ScheduleDocument ManyNameSchedule(int count)
{
    ScheduleDocument document;
    for (int i = 0; i < count; ++i)
        document.basicEntries.push_back(MakeEntry("FILE" + QByteArray::number(i), "MPG", 1, 13));
    return document;
}

int FilesRead(const PublishPlan &plan)
{
    return int(std::count_if(plan.rows.begin(), plan.rows.end(),
                             [](const PublishRow &row) { return row.media.read; }));
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

    // Lists every file now on the medium in its manifest, as a publish would have.
    void ListAsPublished()
    {
        MediaManifest manifest;
        for (const QFileInfo &file : QDir(m_medium).entryInfoList(QDir::Files)) {
            QString reason;
            ManifestEntry entry;
            entry.name = file.fileName();
            entry.size = file.size();
            entry.modified = file.lastModified();
            entry.hash = HashOfFile(file.filePath(), reason);
            manifest.set(entry);
        }
        QVERIFY(manifest.write(m_medium));
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
        ListAsPublished();
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

    void plan_spaceCountsWholeBlocks()
    {
        // Twenty small files take twenty blocks, not forty bytes.
        ScheduleDocument document;
        QStringList media;
        for (int i = 0; i < 20; ++i) {
            const QString name = QStringLiteral("CLIP%1").arg(i);
            document.basicEntries.push_back(MakeEntry(name.toLatin1(), "JPG", 1, 13));
            media.append(name + ".JPG=ab");
        }
        MakeFiles(m_media, media);
        const auto neededWith = [&](qint64 available) {
            const PublishPlan plan = MakePublishPlan(
                    document, Request(MediumVolume {available, "vfat", false, 4096}));
            return plan.problems.empty() ? qint64(0) : plan.problems[0].needed;
        };
        const qint64 needed = neededWith(0);
        QVERIFY2(needed >= 21 * 4096, qPrintable(QString::number(needed)));
        QCOMPARE(neededWith(needed), qint64(0));
        QCOMPARE(neededWith(needed - 1), needed);
    }

    void plan_mediumEntries_data()
    {
        QTest::addColumn<QString>("entry"); // "link:NAME", "folder:NAME" or "file:NAME"
        QTest::addColumn<QList<int>>("problems");
        QTest::addColumn<QStringList>("caseTwins");
        const QList<int> notAFile {int(PlanProblemKind::NotAFile)};
        QTest::newRow("link at a media name") << "link:SONG.MP3" << notAFile << QStringList {};
        QTest::newRow("link at the schedule's name")
                << "link:SCHEDULE.NRV" << notAFile << QStringList {};
        QTest::newRow("link at the manifest's name")
                << "link:NERAV.SUM" << notAFile << QStringList {};
        QTest::newRow("folder at a media name") << "folder:CLIP.AVI" << notAFile << QStringList {};
        QTest::newRow("left by a killed publish")
                << "file:SONG.MP3.nerav-tmp-k1ll3d" << QList<int> {} << QStringList {};
        QTest::newRow("case-only twin")
                << "file:song.Mp3" << QList<int> {} << QStringList {"song.Mp3"};
    }

    void plan_mediumEntries()
    {
        QFETCH(QString, entry);
        MakeFiles(m_media, {"CLIP.AVI=clip", "SONG.MP3=song"});
        MakeFiles(m_medium, {"SONG.MP3=song"});
        const QString kind = entry.section(':', 0, 0);
        const QString path = m_medium + '/' + entry.section(':', 1);
        if (kind == QLatin1String("link")) {
            QFile::remove(path);
            QVERIFY(QFile::link(m_dir.path() + "/outside", path));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else {
            MakeFiles(m_medium, {entry.section(':', 1) + "=twin"});
        }
        const PublishPlan plan = Plan(TwoNameSchedule());
        QTEST(ProblemKinds(plan), "problems");
        QTEST(plan.caseTwins, "caseTwins");
        if (!plan.problems.empty())
            QCOMPARE(plan.problems[0].fileName, entry.section(':', 1));
        for (const QString &twin : plan.caseTwins)
            QVERIFY(plan.extras.contains(twin));
        QCOMPARE(plan.mediumResolved, QFileInfo(m_medium).canonicalFilePath());
        QCOMPARE(plan.leftOvers.size(), entry.contains("nerav-tmp") ? 1 : 0);
        for (const QString &leftOver : plan.leftOvers)
            QVERIFY(!plan.extras.contains(leftOver));
        if (!plan.ok())
            return;
        // The one right name stays; the twin goes.
        SeededRandom random;
        const PublishResult result =
                Publisher::PublishAndWait(plan, TwoNameSchedule(), random, true);
        QVERIFY2(result.ok(), qPrintable(result.reason));
        QCOMPARE(QDir(m_medium).entryList(QDir::Files),
                 (QStringList {"CLIP.AVI", "NERAV.SUM", "SCHEDULE.NRV", "SONG.MP3"}));
    }

    void plan_originalThatIsNoFile_data()
    {
        QTest::addColumn<QString>("original"); // "fifo" or "zero" (a link to /dev/zero)
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to /dev/zero") << "zero";
    }

    void plan_originalThatIsNoFile()
    {
        // Named for what it is, and never planned as a copy.
        QFETCH(QString, original);
        MakeFiles(m_media, {"CLIP.AVI=clip"});
        const QString song = m_media + "/SONG.MP3";
        if (original == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(song).constData(), 0600), 0);
        else
            QVERIFY(QFile::link("/dev/zero", song));
        const PublishPlan plan = Plan(TwoNameSchedule());
        QCOMPARE(ProblemKinds(plan), QList<int> {int(PlanProblemKind::OriginalNotAFile)});
        QCOMPARE(plan.problems[0].fileName, song);
        QCOMPARE(plan.problems[0].entry, EntryKind::Special);
        QCOMPARE(plan.bytesToCopy, 4);
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
        QVERIFY(ReadScheduleFile(m_medium + "/SCHEDULE.NRV", read));
        QVERIFY(read.SameContentAs(document));
        QCOMPARE(QDir(m_medium).entryList(QDir::Files),
                 (QStringList {"CLIP.AVI", "NERAV.SUM", "SCHEDULE.NRV", "SONG.MP3"}));
        QCOMPARE(MediaManifest::Read(m_medium).entries().size(), std::size_t(2));

        const PublishPlan again = Plan(document);
        QCOMPARE(again.count(PublishAction::UpToDate), 2);
        const PublishResult second = Publisher::PublishAndWait(again, document, random, true);
        QVERIFY(second.ok());
        QCOMPARE(second.filesCopied, 0);
        QCOMPARE(second.filesUpToDate, 2);
        QVERIFY2(!second.verified, "nothing was read back");
    }

    void publish_damagedCopyIsCopiedAgain()
    {
        MakeFiles(m_media, {"CLIP.AVI=clip", "SONG.MP3=song"});
        const ScheduleDocument document = TwoNameSchedule();
        SeededRandom random;
        QVERIFY(Publisher::PublishAndWait(Plan(document), document, random, true).ok());
        // Same size, same time, other bytes: as a damaged block would leave it.
        QVERIFY(WriteFile(m_medium + "/SONG.MP3", "sing"));
        SetTime(m_medium + "/SONG.MP3", m_time);
        const PublishPlan plan = Plan(document);
        QCOMPARE(plan.rows[0].action, PublishAction::Damaged);
        QCOMPARE(plan.rows[0].copyState, CopyState::Damaged);
        const PublishResult result = Publisher::PublishAndWait(plan, document, random, true);
        QVERIFY(result.ok());
        QCOMPARE(result.filesCopied, 1);
        QCOMPARE(ReadFile(m_medium + "/SONG.MP3"), QByteArray("song"));
    }

    void publish_sourceChangedWhileCopying()
    {
        MakeFiles(m_media, {"CLIP.AVI=clip", "SONG.MP3=song"});
        MakeFiles(m_medium, {"SONG.MP3=old song"});
        const ScheduleDocument document = TwoNameSchedule();
        SeededRandom random;
        Publisher publisher;
        publisher.whileCopying = [](const QString &source) {
            if (source.endsWith("SONG.MP3")) {
                QFile file(source);
                if (file.open(QIODevice::Append))
                    file.write(" and more");
            }
        };
        QSignalSpy finished(&publisher, &Publisher::finished);
        QVERIFY(publisher.start(Plan(document), document, random, true));
        QVERIFY(finished.wait(10000));
        const auto result = finished.at(0).at(0).value<PublishResult>();
        QCOMPARE(result.outcome, PublishOutcome::CopyFailed);
        QCOMPARE(result.fileName, QStringLiteral("SONG.MP3"));
        QVERIFY2(result.reason.contains("changed while it was copied"), qPrintable(result.reason));
        QCOMPARE(ReadFile(m_medium + "/SONG.MP3"), QByteArray("old song"));
        QVERIFY(!QFileInfo::exists(m_medium + "/SCHEDULE.NRV"));
        QCOMPARE(Plan(document).rows[0].action, PublishAction::Replace);
    }

    void publish_failedSyncKeepsTheOldCopies()
    {
        MakeFiles(m_media, {"CLIP.AVI=clip", "SONG.MP3=song"});
        MakeFiles(m_medium, {"SONG.MP3=old song"});
        const ScheduleDocument document = TwoNameSchedule();
        SeededRandom random;
        FailSyncForTests(SyncStep::File, EIO);
        const PublishResult result =
                Publisher::PublishAndWait(Plan(document), document, random, true);
        FailSyncForTests(SyncStep::File, 0);
        QCOMPARE(result.outcome, PublishOutcome::CopyFailed);
        QVERIFY2(result.reason.contains(SystemErrorText(EIO)), qPrintable(result.reason));
        QCOMPARE(QDir(m_medium).entryList(QDir::Files | QDir::Hidden), QStringList {"SONG.MP3"});
        QCOMPARE(ReadFile(m_medium + "/SONG.MP3"), QByteArray("old song"));
    }

    void publish_fifoAfterTheCheckIsRefusedAtOnce()
    {
        MakeFiles(m_media, {"CLIP.AVI=clip", "SONG.MP3=song"});
        const ScheduleDocument document = TwoNameSchedule();
        const PublishPlan plan = Plan(document);
        QVERIFY(plan.ok());
        QVERIFY(QFile::remove(m_media + "/SONG.MP3"));
        QCOMPARE(::mkfifo(QFile::encodeName(m_media + "/SONG.MP3").constData(), 0644), 0);
        SeededRandom random;
        const PublishResult result = Publisher::PublishAndWait(plan, document, random, true);
        QCOMPARE(result.outcome, PublishOutcome::CopyFailed);
        QVERIFY2(result.reason.contains("a FIFO"), qPrintable(result.reason));
        QVERIFY(!QFileInfo::exists(m_medium + "/SONG.MP3"));
        QVERIFY(!QFileInfo::exists(m_medium + "/SCHEDULE.NRV"));
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
        QVERIFY(!result.verified);
        QVERIFY(!QFileInfo::exists(m_medium + "/SCHEDULE.NRV"));
        // The bad copy is not left to pass for its original; the good one is listed.
        QVERIFY(!QFileInfo::exists(m_medium + "/CLIP.AVI"));
        QCOMPARE(Plan(document).rows[0].action, PublishAction::UpToDate);
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

    // The media check reads one file at a time and looks for a cancel between two: a cancel
    // waits for the file being read, not for the rest.
    void mediaCheck_stopsBetweenFiles()
    {
        const ScheduleDocument document = ManyNameSchedule(6);
        for (int i = 0; i < 5; ++i)
            MakeFiles(m_media, {QStringLiteral("FILE%1.MPG=not a film").arg(i)});
        PublishPlan plan = Plan(document);
        std::atomic<bool> cancelled {false};
        QList<int> reported;
        const MediaCheckRequest request; // no profile: read for the durations only
        CheckPlanMedia(plan, request, &cancelled, [&](int done, int total) {
            reported.append(total);
            if (done == 2)
                cancelled = true;
        });
        QCOMPARE(reported, (QList<int> {5, 5}));
        QCOMPARE(FilesRead(plan), 2);
        QVERIFY(plan.rows[1].media.read && !plan.rows[2].media.read);

        // Uncancelled, every file found is read; the missing name has nothing to read.
        plan = Plan(document);
        CheckPlanMedia(plan, request);
        QCOMPARE(FilesRead(plan), 5);
        QVERIFY(!plan.rows[5].media.read);
        QVERIFY(!plan.rows[0].media.check); // no profile, no verdict
    }

    // A cancelled check returns once the worker stopped and reports nothing; the next one runs.
    void mediaCheck_checkerCancelReportsNothing()
    {
        const ScheduleDocument document = ManyNameSchedule(40);
        for (int i = 0; i < 40; ++i)
            MakeFiles(m_media, {QStringLiteral("FILE%1.MPG=not a film").arg(i)});
        PlanChecker checker;
        QList<PublishPlan> finished;
        connect(&checker, &PlanChecker::finished, this,
                [&finished](const PublishPlan &plan) { finished.append(plan); });
        checker.start(document, Request(), MediaCheckRequest {});
        checker.cancel();
        QVERIFY(!checker.isRunning());
        QCoreApplication::processEvents();
        QVERIFY(finished.isEmpty());

        checker.start(document, Request(), MediaCheckRequest {});
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(FilesRead(finished.at(0)), 40);
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
