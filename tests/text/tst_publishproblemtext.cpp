// The lines the publish dialog and nrvtool give for what a check found, in both languages:
// each table text with its blanks filled in the right places.

#include "PublishProblemText.h"

#include <QLocale>
#include <QtTest>

using namespace nerav;

Q_DECLARE_METATYPE(nerav::PlanProblem)

namespace {

PlanProblem Problem(PlanProblemKind kind, int row = -1)
{
    PlanProblem problem;
    problem.kind = kind;
    problem.row = row;
    return problem;
}

PlanProblem NotAFile(const QString &name, EntryKind entry)
{
    PlanProblem problem = Problem(PlanProblemKind::NotAFile);
    problem.fileName = name;
    problem.entry = entry;
    return problem;
}

PlanProblem PreSave(PreSaveProblem preSave)
{
    PlanProblem problem = Problem(PlanProblemKind::PreSave);
    problem.preSave = preSave;
    problem.schedulePosition = 2;
    return problem;
}

PlanProblem NoSpace(qint64 needed, qint64 available)
{
    PlanProblem problem = Problem(PlanProblemKind::NoSpace);
    problem.needed = needed;
    problem.available = available;
    return problem;
}

// Row 0 is used twice and found twice; row 1 once.
PublishPlan Plan()
{
    PublishPlan plan;
    plan.request.mediaFolder = "/media/";
    PublishRow song;
    song.name = "SONG.MP3";
    song.uses = {{0, 2}, {1, 3}};
    song.found = {"/media/a/SONG.MP3", "/media/b/song.mp3"};
    PublishRow clip;
    clip.name = "CLIP.AVI";
    clip.uses = {{0, 1}};
    plan.rows = {song, clip};
    return plan;
}

} // namespace

class TestPublishProblemText : public QObject
{
    Q_OBJECT

private slots:
    // Sizes of 1 KiB and more are worded by the locale.
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void lines_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<PlanProblem>("problem");
        QTest::addColumn<QString>("line");
        QTest::newRow("missing") << int(English) << Problem(PlanProblemKind::Missing, 1)
                                 << "CLIP.AVI is not in the media folder (used by basic 1); looked "
                                    "in /media/ and its subfolders";
        QTest::newRow("missing, Japanese")
                << int(Japanese) << Problem(PlanProblemKind::Missing, 1)
                << QString::fromUtf8("CLIP.AVI が素材フォルダーにありません（使用: 基本設定 1）。"
                                     "探した場所: /media/ とそのサブフォルダー");
        QTest::newRow("duplicate, two uses")
                << int(English) << Problem(PlanProblemKind::Duplicate, 0)
                << "SONG.MP3 is in the media folder more than once: /media/a/SONG.MP3, "
                   "/media/b/song.mp3 (used by basic 2, advance 1 entry 3)";
        QTest::newRow("too big for FAT")
                << int(English) << Problem(PlanProblemKind::TooBigForFat, 1)
                << "CLIP.AVI is 4 GiB or more, too big for a FAT medium (used by basic 1)";
        QTest::newRow("no space, bytes")
                << int(English) << NoSpace(900, 12)
                << "Not enough free space on the medium: 900 bytes needed, 12 bytes free";
        QTest::newRow("no space, MiB")
                << int(English) << NoSpace(3 * 1024 * 1024, 1536)
                << "Not enough free space on the medium: 3.00 MiB needed, 1.50 KiB free";
        QTest::newRow("no medium") << int(English) << Problem(PlanProblemKind::NoMedium)
                                   << "The medium's folder cannot be written";
        QTest::newRow("link") << int(English) << NotAFile("SHOP.NRV", EntryKind::Link)
                              << "SHOP.NRV on the medium is a link, not a file; nothing is "
                                 "written through it. Remove it from the medium.";
        QTest::newRow("folder") << int(English) << NotAFile("SONG.MP3", EntryKind::Folder)
                                << "SONG.MP3 on the medium is a folder, not a file; nothing is "
                                   "written through it. Remove it from the medium.";
        QTest::newRow("special") << int(English) << NotAFile("NERAV.SUM", EntryKind::Special)
                                 << "NERAV.SUM on the medium is a special file (FIFO, device or "
                                    "socket), not a file; nothing is written through it. Remove "
                                    "it from the medium.";
        QTest::newRow("empty schedule") << int(English) << PreSave(PreSaveProblem::EmptySchedule)
                                        << "The schedule cannot be saved: No schedule is set!";
        QTest::newRow("advance without entries")
                << int(English) << PreSave(PreSaveProblem::AdvanceWithoutEntries)
                << "The schedule cannot be saved: Advance schedule 2 has no file!";
        // As Save words it in the main window.
        QTest::newRow("too large") << int(English) << PreSave(PreSaveProblem::TooLarge)
                                   << "The schedule cannot be saved: The schedule file would be "
                                      "too large for the player! Can't save!";
        // A problem naming no row (or one the plan does not have) is still a line.
        QTest::newRow("no such row") << int(English) << Problem(PlanProblemKind::Missing, 7)
                                     << " is not in the media folder (used by ); looked in /media/ "
                                        "and its subfolders";
        QTest::newRow("duplicate, Japanese")
                << int(Japanese) << Problem(PlanProblemKind::Duplicate, 0)
                << QString::fromUtf8("SONG.MP3 が素材フォルダーに複数あります: "
                                     "/media/a/SONG.MP3, /media/b/song.mp3（使用: 基本設定 2, "
                                     "日時設定 1 の 3）");
        QTest::newRow("no space, Japanese")
                << int(Japanese) << NoSpace(900, 12)
                << QString::fromUtf8(
                           "メディアの空き容量が足りません: 必要 900 バイト、空き 12 バイト");
        QTest::newRow("folder, Japanese")
                << int(Japanese) << NotAFile("SONG.MP3", EntryKind::Folder)
                << QString::fromUtf8("メディア上の SONG.MP3 はファイルではなくフォルダーです。"
                                     "そこへは書き込みません。メディアから削除してください。");
    }

    void lines()
    {
        QFETCH(int, language);
        QFETCH(PlanProblem, problem);
        QFETCH(QString, line);
        InterfaceText text;
        LoadInterfaceText(text, short(language));
        QCOMPARE(PublishProblemText(Plan(), problem, text), line);
    }

    // A file the schedule does not use is left alone, unless it is a twin of a media name.
    void extras()
    {
        PublishPlan plan = Plan();
        plan.extras = {"OLD.JPG", "Song.mp3"};
        plan.caseTwins = {"Song.mp3"};
        plan.rows[0].caseTwins = {"Song.mp3"};
        InterfaceText text;
        LoadInterfaceText(text, English);
        QCOMPARE(PublishExtraText(plan, "OLD.JPG", text.publish), text.publish.actionExtra);
        QCOMPARE(PublishExtraText(plan, "Song.mp3", text.publish),
                 text.publish.extraCaseTwin.arg("SONG.MP3"));
    }
};

QTEST_GUILESS_MAIN(TestPublishProblemText)
#include "tst_publishproblemtext.moc"
