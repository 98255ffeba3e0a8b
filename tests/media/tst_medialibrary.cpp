// The media library as every part of the program uses it: a name found in the media folder and
// its subfolders with ASCII case ignored, the places a schedule uses each name, the profile a
// choice stands for, and no verdict on a file read without a profile.

#include "MediaLibrary.h"
#include "TestEntries.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace nerav;
using nerav::test::MakeEntry;

class MediaLibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void find_data();
    void find();
    void usesOfADocument();
    void profileChoice();
    void judgeWithoutProfile();

private:
    QTemporaryDir m_dir;
    QString m_media;
};

void MediaLibraryTest::initTestCase()
{
    m_media = m_dir.filePath("media");
    for (const char *name :
         {"CLIP.MPG", "sub/clip.mpg", "sub/deeper/Photo.JPG", "Ünï.MP3", "sub/other.avi"}) {
        const QString path = QDir(m_media).filePath(QString::fromUtf8(name));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void MediaLibraryTest::find_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("found"); // inside the media folder

    QTest::newRow("every case, every subfolder, sorted")
            << "Clip.mpg" << QStringList {"CLIP.MPG", "sub/clip.mpg"};
    QTest::newRow("deep") << "photo.jpg" << QStringList {"sub/deeper/Photo.JPG"};
    // The player folds ASCII letters only.
    QTest::newRow("other letters kept") << "ünï.mp3" << QStringList {};
    QTest::newRow("exact otherwise") << "Ünï.mp3" << QStringList {"Ünï.MP3"};
    QTest::newRow("none") << "gone.avi" << QStringList {};
}

void MediaLibraryTest::find()
{
    QFETCH(QString, name);
    QFETCH(QStringList, found);

    const MediaLibrary library(MediaPlace {m_media, QString(), QString()});
    QStringList expected;
    for (const QString &inside : found)
        expected << QDir(m_media).filePath(inside);
    QCOMPARE(library.find(name), expected);
    QCOMPARE(library.find(QStringList {AsciiLower(name)}).value(AsciiLower(name)), expected);
}

void MediaLibraryTest::usesOfADocument()
{
    ScheduleDocument document;
    document.basicEntries = {MakeEntry("CLIP", "MPG", 1, 13), MakeEntry("PHOTO", "JPG", 1, 13),
                             MakeEntry("clip", "mpg", 1, 13)};
    AdvanceSchedule first;
    first.details = {MakeEntry("SONG", "MP3", 1, 13)};
    AdvanceSchedule second;
    second.details = {MakeEntry("Photo", "Jpg", 1, 13), MakeEntry("SONG", "MP3", 2, 13)};
    document.advanceSchedules = {first, second};

    const std::vector<MediaUses> uses = MediaUsesOf(document);
    QCOMPARE(uses.size(), std::size_t(3));
    const auto places = [](const MediaUses &named) {
        QList<QPair<int, int>> list;
        for (const EntryUse &use : named.uses)
            list.append({use.schedule, use.position});
        return list;
    };
    // Each name as first written, in schedule order: basic row n is (0, n), advance k's (k, n).
    QCOMPARE(uses[0].name, QStringLiteral("CLIP.MPG"));
    QCOMPARE(places(uses[0]), (QList<QPair<int, int>> {{0, 1}, {0, 3}}));
    QCOMPARE(uses[1].name, QStringLiteral("PHOTO.JPG"));
    QCOMPARE(places(uses[1]), (QList<QPair<int, int>> {{0, 2}, {2, 1}}));
    QCOMPARE(uses[2].name, QStringLiteral("SONG.MP3"));
    QCOMPARE(places(uses[2]), (QList<QPair<int, int>> {{1, 1}, {2, 2}}));
}

void MediaLibraryTest::profileChoice()
{
    const QString own = m_dir.filePath("mine.json");
    QCOMPARE(ProfilePathFor(QString()), DefaultProfilePath());
    QCOMPARE(ProfilePathFor(own), own);
    // The shipped profile is remembered as no choice, any other as itself.
    QCOMPARE(ProfileChoiceFor(DefaultProfilePath()), QString());
    QCOMPARE(ProfileChoiceFor(own), own);
    const MediaPlace place = MediaPlaceOf(m_media, QString(), "cache");
    QCOMPARE(place, (MediaPlace {m_media, DefaultProfilePath(), "cache"}));
    QVERIFY(place != MediaPlaceOf(m_media, own, "cache"));
}

void MediaLibraryTest::judgeWithoutProfile()
{
    const MediaLibrary library(MediaPlace {m_media, m_dir.filePath("none.json"), QString()});
    QVERIFY(!library.profile().profile);
    QVERIFY(library.profile().reason.contains("none.json"));
    ProbeResult read;
    read.outcome = ProbeOutcome::Read;
    QVERIFY(!library.judge("clip.mpg", read));
    // What was not read says so without a profile.
    ProbeResult missing;
    missing.outcome = ProbeOutcome::NotFound;
    QCOMPARE(library.judge("clip.mpg", missing)->state, MediaState::NotFound);
    ProbeResult unreadable;
    unreadable.reason = "damaged";
    const std::optional<MediaCheck> check = library.judge("clip.mpg", unreadable);
    QCOMPARE(check->state, MediaState::CannotBeRead);
    QCOMPARE(check->readProblem, QStringLiteral("damaged"));
}

QTEST_GUILESS_MAIN(MediaLibraryTest)
#include "tst_medialibrary.moc"
