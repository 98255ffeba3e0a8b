// nrvtool check and publish: lines, JSON and exit codes on folders of the test machine's disk;
// the media check's durations and warnings on files the test encodes.

#include "MediaMaker.h"
#include "TestFiles.h"
#include "ToolRun.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace nerav;
using namespace nerav::test;

class TestNrvToolPublish : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_schedule, m_media, m_medium;

private slots:
    void init()
    {
        m_schedule = m_dir.path() + "/SHOP.NRV";
        m_media = m_dir.path() + "/media";
        m_medium = m_dir.path() + "/medium";
        QDir(m_media).removeRecursively();
        QDir(m_medium).removeRecursively();
        QVERIFY(QDir().mkpath(m_media + "/sub") && QDir().mkpath(m_medium));
        const QString json = m_dir.path() + "/shop.json";
        QVERIFY(WriteFile(json, R"({"basic": [{"name": "song.mp3"}, {"name": "clip.avi"}]})"));
        QCOMPARE(RunTool({"make", json, m_schedule}).exitCode, 0);
        QVERIFY(WriteFile(m_media + "/SONG.MP3", "song"));
        QVERIFY(WriteFile(m_media + "/sub/clip.avi", "clip"));
    }

    void publishThenCheck()
    {
        const ToolRun dry =
                RunTool({"publish", m_schedule, "--media", m_media, m_medium, "--dry-run"});
        QCOMPARE(dry.exitCode, 0);
        QVERIFY(dry.out.contains("copy SONG.MP3"));
        QVERIFY(dry.out.contains("copy CLIP.AVI"));
        QVERIFY(QDir(m_medium).isEmpty());

        QVERIFY(WriteFile(m_medium + "/OLD.JPG", "old"));
        const ToolRun run = RunTool({"publish", m_schedule, "--media", m_media, m_medium});
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
        QVERIFY(run.out.contains("extra OLD.JPG"));
        QVERIFY(run.out.contains("\nschedule SHOP.NRV: missing (will be written)\n"));
        QVERIFY(run.out.contains("published: 2 files copied (8 bytes), 0 up to date, verified; "
                                 "schedule SHOP.NRV written\n"));
        QVERIFY(QFileInfo::exists(m_medium + "/SHOP.NRV"));

        const ToolRun again =
                RunTool({"publish", m_schedule, "--media", m_media, m_medium, "--json"});
        QCOMPARE(again.exitCode, 0);
        const QJsonObject json = QJsonDocument::fromJson(again.out.toUtf8()).object();
        QCOMPARE(json["summary"].toObject()["upToDate"].toInt(), 2);
        QCOMPARE(json["result"].toObject()["filesCopied"].toInt(), 0);
        QCOMPARE(json["result"].toObject()["scheduleWritten"].toBool(), true);
        QCOMPARE(json["schedule"].toObject()["name"].toString(), "SHOP.NRV");
        QCOMPARE(json["schedule"].toObject()["state"].toString(), "unchanged");

        const ToolRun check = RunTool({"check", m_schedule, m_medium});
        QCOMPARE(check.exitCode, 0);
        QVERIFY(check.out.contains("present CLIP.AVI"));
        QVERIFY(QFile::remove(m_medium + "/CLIP.AVI"));
        const ToolRun removed = RunTool({"check", m_schedule, m_medium, "--json"});
        QCOMPARE(removed.exitCode, 1);
        const QJsonObject summary =
                QJsonDocument::fromJson(removed.out.toUtf8()).object()["summary"].toObject();
        QCOMPARE(summary["missing"].toInt(), 1);
        QCOMPARE(summary["extra"].toInt(), 1);
    }

    void linksOnTheMediumStopThePublish()
    {
        // A medium someone else prepared: its names point at files outside it.
        const QString outside = m_dir.path() + "/outside";
        QDir(outside).removeRecursively();
        QVERIFY(QDir().mkpath(outside));
        QVERIFY(WriteFile(outside + "/big.bin", "keep me"));
        QVERIFY(WriteFile(outside + "/important.txt", "keep me too"));
        QVERIFY(QFile::link("../outside/big.bin", m_medium + "/SONG.MP3"));
        QVERIFY(QFile::link("../outside/important.txt", m_medium + "/SHOP.NRV"));
        const ToolRun run = RunTool({"publish", m_schedule, "--media", m_media, m_medium});
        QCOMPARE(run.exitCode, 1);
        // The line the publish dialog shows in English.
        QVERIFY2(run.out.contains("problem: SONG.MP3 on the medium is a link, not a file; nothing "
                                  "is written through it. Remove it from the medium. \u2014 fix "
                                  "this to publish\n"),
                 qPrintable(run.out));
        QVERIFY(run.out.contains("problem: SHOP.NRV on the medium is a link, not a file"));
        QVERIFY(run.out.contains("nothing written"));
        QVERIFY(run.out.contains("medium: " + QFileInfo(m_medium).canonicalFilePath()));
        QCOMPARE(ReadFile(outside + "/big.bin"), QByteArray("keep me"));
        QCOMPARE(ReadFile(outside + "/important.txt"), QByteArray("keep me too"));
        QCOMPARE(QDir(m_medium).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 (QStringList {"SHOP.NRV", "SONG.MP3"}));
        const ToolRun check = RunTool({"check", m_schedule, m_medium});
        QCOMPARE(check.exitCode, 1);
        QVERIFY(check.out.contains("not-a-file SONG.MP3"));
    }

    void damagedOrOutdatedCopies()
    {
        QCOMPARE(RunTool({"publish", m_schedule, "--media", m_media, m_medium}).exitCode, 0);
        QVERIFY(QFileInfo(m_medium + "/NERAV.SUM").isFile());
        // Other bytes under the same size and time, as a damaged block leaves them.
        const QDateTime time = QFileInfo(m_medium + "/SONG.MP3").lastModified();
        QVERIFY(WriteFile(m_medium + "/SONG.MP3", "sing"));
        QFile copy(m_medium + "/SONG.MP3");
        QVERIFY(copy.open(QIODevice::ReadWrite) &&
                copy.setFileTime(time, QFileDevice::FileModificationTime));
        copy.close();
        const ToolRun check = RunTool({"check", m_schedule, m_medium});
        QCOMPARE(check.exitCode, 1);
        QVERIFY2(check.out.contains("damaged SONG.MP3"), qPrintable(check.out));
        QVERIFY(check.out.contains("present CLIP.AVI"));
        const ToolRun again = RunTool({"publish", m_schedule, "--media", m_media, m_medium});
        QCOMPARE(again.exitCode, 0);
        QVERIFY2(again.out.contains("damaged SONG.MP3"), qPrintable(again.out));
        QVERIFY(again.out.contains("published: 1 files copied (4 bytes), 1 up to date, verified"));
        QCOMPARE(RunTool({"check", m_schedule, m_medium}).exitCode, 0);

        // A changed original makes the copy outdated, seen only with the originals at hand.
        QVERIFY(WriteFile(m_media + "/sub/clip.avi", "clop"));
        QCOMPARE(RunTool({"check", m_schedule, m_medium}).exitCode, 0);
        const ToolRun compared = RunTool({"check", m_schedule, m_medium, "--media", m_media});
        QCOMPARE(compared.exitCode, 1);
        QVERIFY2(compared.out.contains("outdated CLIP.AVI"), qPrintable(compared.out));
    }

    void checkWithoutManifest_data()
    {
        // Copies put on the medium by hand, with no NERAV.SUM.
        QTest::addColumn<bool>("media");
        QTest::addColumn<QByteArray>("clipCopy");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("without --media")
                << false << QByteArray("clip")
                << QStringList {"unchecked SONG.MP3 (not listed in NERAV.SUM, no --media: the "
                                "content could not be checked)",
                                "unchecked CLIP.AVI", "2 unchecked"}
                << 1;
        QTest::newRow("with --media, same content")
                << true << QByteArray("clip")
                << QStringList {"present SONG.MP3 (not listed in NERAV.SUM: same content",
                                "present CLIP.AVI"}
                << 0;
        QTest::newRow("with --media, other content")
                << true << QByteArray("clop")
                << QStringList {"present SONG.MP3", "outdated CLIP.AVI"} << 1;
    }

    void checkWithoutManifest()
    {
        QFETCH(bool, media);
        QFETCH(QByteArray, clipCopy);
        QFETCH(QStringList, lines);
        QVERIFY(WriteFile(m_medium + "/SONG.MP3", "song"));
        QVERIFY(WriteFile(m_medium + "/CLIP.AVI", clipCopy));
        QStringList arguments {"check", m_schedule, m_medium};
        if (media)
            arguments << "--media" << m_media;
        const ToolRun check = RunTool(arguments);
        for (const QString &line : lines)
            QVERIFY2(check.out.contains(line), qPrintable(check.out));
        QTEST(check.exitCode, "exitCode");
    }

    void noVerifyCopiesWithoutReadingBack()
    {
        const ToolRun run =
                RunTool({"publish", m_schedule, "--media", m_media, m_medium, "--no-verify"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(
                "published: 2 files copied (8 bytes), 0 up to date, not verified"));
        QCOMPARE(ReadFile(m_medium + "/CLIP.AVI"), QByteArray("clip"));
    }

    void missingFileStopsBeforeWriting()
    {
        QVERIFY(QFile::remove(m_media + "/SONG.MP3"));
        const ToolRun run = RunTool({"publish", m_schedule, "--media", m_media, m_medium});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.contains("missing SONG.MP3"));
        QVERIFY2(run.out.contains("problem: SONG.MP3 is not in the media folder (used by basic "
                                  "1); looked in " +
                                  m_media + " and its subfolders \u2014 fix this to publish\n"),
                 qPrintable(run.out));
        QVERIFY(QDir(m_medium).isEmpty());
    }

    // Warnings tell what the player may make of a file; they change no exit status.
    void mediaWarningsAndDurations()
    {
        // A sound at a rate the player does not take, and a clip it plays.
        QCOMPARE(MakeAudio(m_media + "/SONG.MP3", AudioRecipe {"libmp3lame", 22050, 1000}),
                 QString());
        QCOMPARE(MakeVideo(m_media + "/sub/clip.avi",
                           VideoRecipe {"avi", "mpeg4", 352, 288, 25, 25}),
                 QString());
        const QString profile = QStringLiteral(NERAV_DEFAULT_PROFILE);
        const QString warning = "warning: SONG.MP3 may not play on the player: the profile says "
                                "sample rate 22050 Hz (used by basic 1)\n";
        const ToolRun run = RunTool(
                {"publish", m_schedule, "--media", m_media, m_medium, "--profile", profile});
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
        QVERIFY2(run.out.contains(warning), qPrintable(run.out));
        QVERIFY(run.out.contains("published: 2 files copied"));

        const ToolRun json = RunTool({"publish", m_schedule, "--media", m_media, m_medium,
                                      "--profile", profile, "--json", "--dry-run"});
        QCOMPARE(json.exitCode, 0);
        const QJsonObject plan = QJsonDocument::fromJson(json.out.toUtf8()).object();
        const QJsonArray files = plan["files"].toArray();
        const QJsonObject song = files[0].toObject();
        QCOMPARE(song["mediaState"].toString(), "may not play");
        QCOMPARE(song["mediaReason"].toString(), "the profile says sample rate 22050 Hz");
        // LAME puts 50 ms of its delay before a 22.05 kHz sound.
        QVERIFY(std::abs(song["durationMs"].toInteger() - 1050) <= 27);
        QCOMPARE(files[1].toObject()["mediaState"].toString(), "plays");
        QVERIFY(std::abs(files[1].toObject()["durationMs"].toInteger() - 1000) <= 40);
        QCOMPARE(plan["warnings"].toArray().size(), 1);
        QCOMPARE(plan["summary"].toObject()["warnings"].toInt(), 1);

        // check reads the medium's copies, which the player plays.
        const ToolRun check = RunTool({"check", m_schedule, m_medium, "--profile", profile});
        QCOMPARE(check.exitCode, 0);
        QVERIFY2(check.out.contains(warning), qPrintable(check.out));
        QVERIFY(QFile::remove(m_medium + "/CLIP.AVI"));
        const ToolRun missing =
                RunTool({"check", m_schedule, m_medium, "--profile", profile, "--json"});
        QCOMPARE(missing.exitCode, 1);
        const QJsonArray checked =
                QJsonDocument::fromJson(missing.out.toUtf8()).object()["files"].toArray();
        QCOMPARE(checked[0].toObject()["mediaState"].toString(), "may not play");
        QVERIFY(checked[0].toObject()["durationMs"].toInteger() > 0);
        QVERIFY(checked[1].toObject()["durationMs"].isNull());
        QVERIFY(checked[1].toObject()["mediaState"].isNull());

        // A profile asked for must be there; nothing is done without it.
        const ToolRun noProfile = RunTool({"publish", m_schedule, "--media", m_media, m_medium,
                                           "--profile", m_dir.path() + "/none.json"});
        QCOMPARE(noProfile.exitCode, 1);
        QVERIFY(noProfile.err.contains("none.json"));
        QVERIFY(!QFileInfo::exists(m_medium + "/CLIP.AVI"));
    }

    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("check: no medium given") << QStringList {"check", "S.NRV"} << 2;
        QTest::newRow("check: unknown option") << QStringList {"check", "S", "M", "--x"} << 2;
        QTest::newRow("check: unreadable schedule") << QStringList {"check", "none.nrv", "."} << 1;
        QTest::newRow("publish: no --media") << QStringList {"publish", "S.NRV", "M"} << 2;
        QTest::newRow("publish: --media without folder")
                << QStringList {"publish", "S.NRV", "M", "--media"} << 2;
        QTest::newRow("publish: unreadable schedule")
                << QStringList {"publish", "none.nrv", "--media", ".", "."} << 1;
    }

    void exitCodes()
    {
        QFETCH(QStringList, arguments);
        QTEST(RunTool(arguments).exitCode, "exitCode");
    }
};

QTEST_GUILESS_MAIN(TestNrvToolPublish)
#include "tst_nrvtool_publish.moc"
