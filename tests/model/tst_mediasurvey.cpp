// The media survey on files the test encodes: the states that come back, files that change or
// appear, a survey that starts over or goes away while it probes, and its cache.

#include "MediaCache.h"
#include "MediaMaker.h"
#include "MediaSurvey.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace nerav;

namespace {

// Every report a survey sends, the last one per name.
struct Reports
{
    explicit Reports(MediaSurvey &survey)
    {
        QObject::connect(&survey, &MediaSurvey::reported, &survey,
                         [this](const QList<MediaReport> &reports) {
                             ++batches;
                             for (const MediaReport &report : reports) {
                                 byKey.insert(report.key, report);
                                 order.append(report.key);
                             }
                         });
    }

    QHash<QString, MediaReport> byKey;
    QStringList order; // every report, in the order sent
    int batches = 0;
};

bool WaitUntilDone(MediaSurvey &survey)
{
    return QTest::qWaitFor([&survey] { return !survey.isBusy(); }, 30000);
}

} // namespace

class MediaSurveyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void statesArrive();
    void changedAndNewFilesAreReadAgain();
    void startsOverInAnotherFolder();
    void goesAwayWhileProbing();
    void cacheIsSaved();

private:
    QTemporaryDir m_dir;
    QString m_media;
};

void MediaSurveyTest::initTestCase()
{
    m_media = m_dir.filePath(QStringLiteral("media"));
    QVERIFY(QDir().mkpath(m_media + "/sub"));
    QCOMPARE(MakeVideo(m_media + "/sub/Clip.Mpg", VideoRecipe {}), QString());
    QCOMPARE(MakeAudio(m_media + "/SONG.MP3", AudioRecipe {}), QString());
    QImage photo(64, 48, QImage::Format_RGB32);
    photo.fill(Qt::yellow);
    QVERIFY(photo.save(m_media + "/photo.jpg", "jpeg"));
}

void MediaSurveyTest::statesArrive()
{
    MediaSurvey survey;
    Reports reports(survey);
    QSignalSpy finished(&survey, &MediaSurvey::finished);
    survey.start(m_media, QString());
    survey.addNames({"CLIP.MPG", "PHOTO.JPG", "SONG.MP3", "GONE.AVI", "clip.mpg"});
    QVERIFY(survey.isBusy());
    QVERIFY(WaitUntilDone(survey));
    QCOMPARE(finished.count(), 1);

    // Names are found in any case and in subfolders; each is read once.
    QCOMPARE(reports.order.size(), 4);
    const MediaReport clip = reports.byKey.value("clip.mpg");
    QCOMPARE(clip.path, m_media + "/sub/Clip.Mpg");
    QVERIFY(clip.probe);
    QVERIFY(qAbs(clip.probe.facts.durationMs - 1000) <= 40);
    QVERIFY(reports.byKey.value("photo.jpg").probe.facts.picture);
    QCOMPARE(reports.byKey.value("song.mp3").probe.facts.audioCodec, QStringLiteral("mp3"));
    const MediaReport gone = reports.byKey.value("gone.avi");
    QCOMPARE(gone.probe.outcome, ProbeOutcome::NotFound);
    QVERIFY(gone.path.isEmpty());
}

void MediaSurveyTest::changedAndNewFilesAreReadAgain()
{
    const QString folder = m_dir.filePath(QStringLiteral("changing"));
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(MakeVideo(folder + "/CLIP.MPG", VideoRecipe {}), QString());
    MediaSurvey survey;
    Reports reports(survey);
    survey.start(folder, QString());
    survey.addNames({"CLIP.MPG", "LATER.MPG"});
    QVERIFY(WaitUntilDone(survey));
    QCOMPARE(reports.order.size(), 2);
    QCOMPARE(reports.byKey.value("later.mpg").probe.outcome, ProbeOutcome::NotFound);

    // Nothing changed: nothing is reported again.
    survey.refresh();
    QVERIFY(WaitUntilDone(survey));
    QCOMPARE(reports.order.size(), 2);

    // A longer clip in place of the first, and the missing one made.
    QVERIFY(QFile::remove(folder + "/CLIP.MPG"));
    QCOMPARE(MakeVideo(folder + "/CLIP.MPG", VideoRecipe {"mpeg", "mpeg1video", 352, 288, 50, 25}),
             QString());
    QCOMPARE(MakeVideo(folder + "/later.mpg", VideoRecipe {}), QString());
    survey.refresh();
    QVERIFY(WaitUntilDone(survey));
    QCOMPARE(reports.order.size(), 4);
    QVERIFY(qAbs(reports.byKey.value("clip.mpg").probe.facts.durationMs - 2000) <= 40);
    QVERIFY(reports.byKey.value("later.mpg").probe);

    // A name the document gains is looked for; those known are not read again.
    survey.addNames({"CLIP.MPG", "NEW.MP3"});
    QVERIFY(WaitUntilDone(survey));
    QCOMPARE(reports.order.mid(4), QStringList {"new.mp3"});
}

void MediaSurveyTest::startsOverInAnotherFolder()
{
    const QString other = m_dir.filePath(QStringLiteral("other"));
    QVERIFY(QDir().mkpath(other));
    QCOMPARE(MakeVideo(other + "/CLIP.MPG", VideoRecipe {"mpeg", "mpeg1video", 352, 288, 50, 25}),
             QString());
    MediaSurvey survey;
    Reports reports(survey);
    survey.start(m_media, QString());
    survey.addNames({"CLIP.MPG", "SONG.MP3"});
    // At once in the other folder: nothing of the first comes back after this.
    survey.start(other, QString());
    QVERIFY(WaitUntilDone(survey));
    QCOMPARE(reports.byKey.value("clip.mpg").path, other + "/CLIP.MPG");
    QCOMPARE(reports.byKey.value("song.mp3").probe.outcome, ProbeOutcome::NotFound);

    // No folder: nothing is looked for.
    survey.start(QString(), QString());
    survey.addNames({"MORE.MPG"});
    QVERIFY(!survey.isBusy());
}

// The worker goes on with the probe under way after the survey is gone, on its own state only;
// the sanitizer build tells a use after free.
void MediaSurveyTest::goesAwayWhileProbing()
{
    const QString folder = m_dir.filePath(QStringLiteral("many"));
    QVERIFY(QDir().mkpath(folder));
    QStringList names;
    for (int i = 0; i < 30; ++i) {
        names << QStringLiteral("CLIP%1.MPG").arg(i);
        QVERIFY(QFile::copy(m_media + "/sub/Clip.Mpg", folder + u'/' + names.last()));
    }
    auto survey = std::make_unique<MediaSurvey>();
    QSignalSpy reported(survey.get(), &MediaSurvey::reported);
    survey->start(folder, m_dir.filePath(QStringLiteral("cache-gone")));
    survey->addNames(names);
    QVERIFY(reported.wait(30000));
    survey.reset();
    // Long enough for the worker to probe more files and find itself cancelled.
    QTest::qWait(300);
}

void MediaSurveyTest::cacheIsSaved()
{
    const QString cache = m_dir.filePath(QStringLiteral("cache"));
    MediaSurvey survey;
    Reports reports(survey);
    survey.start(m_media, cache);
    survey.addNames({"CLIP.MPG", "SONG.MP3"});
    QVERIFY(WaitUntilDone(survey));
    QVERIFY(QFile::exists(cache + u'/' + QLatin1String(MediaCache::FileName)));

    // A new survey with that cache reads the same.
    MediaSurvey again;
    Reports second(again);
    again.start(m_media, cache);
    again.addNames({"CLIP.MPG"});
    QVERIFY(WaitUntilDone(again));
    QCOMPARE(second.byKey.value("clip.mpg").probe.facts.durationMs,
             reports.byKey.value("clip.mpg").probe.facts.durationMs);
}

QTEST_MAIN(MediaSurveyTest)
#include "tst_mediasurvey.moc"
