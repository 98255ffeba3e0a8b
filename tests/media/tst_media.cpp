// A media file's facts, read from files the test encodes itself, against the shipped player
// profile; files that cannot be read; and the cache of what was read.

#include "InterfaceText.h"
#include "MediaCache.h"
#include "MediaCheckText.h"
#include "MediaMaker.h"
#include "MediaProbe.h"
#include "PlayerProfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace nerav;

namespace {

// Makes the file a row of the table names.
QString Make(const QString &kind, const QString &path)
{
    if (kind == QLatin1String("mpeg1"))
        return MakeVideo(path, VideoRecipe {});
    if (kind == QLatin1String("mpeg2"))
        return MakeVideo(path, VideoRecipe {"mpeg", "mpeg2video", 720, 576, 25, 25});
    if (kind == QLatin1String("mpeg4"))
        return MakeVideo(path, VideoRecipe {"avi", "mpeg4", 352, 288, 25, 25});
    if (kind == QLatin1String("mpeg4-large"))
        return MakeVideo(path, VideoRecipe {"avi", "mpeg4", 1024, 576, 5, 25});
    if (kind == QLatin1String("h264"))
        return MakeVideo(path, VideoRecipe {"mpeg", "libx264", 320, 240, 25, 25});
    if (kind == QLatin1String("mp3"))
        return MakeAudio(path, AudioRecipe {});
    if (kind == QLatin1String("mp3-22k"))
        return MakeAudio(path, AudioRecipe {"libmp3lame", 22050, 1000});
    if (kind == QLatin1String("mp2"))
        return MakeAudio(path, AudioRecipe {"mp2", 44100, 1000});
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QImageWriter writer(path, "jpeg");
    writer.setProgressiveScanWrite(kind == QLatin1String("jpeg-progressive"));
    return writer.write(image) ? QString() : writer.errorString();
}

PlayerProfile DefaultProfile()
{
    const ProfileResult read = ReadPlayerProfile(QStringLiteral(NERAV_DEFAULT_PROFILE));
    return read.profile.value_or(PlayerProfile {});
}

const MediaTable &Texts(Language language)
{
    static InterfaceText english, japanese;
    InterfaceText &text = language == Japanese ? japanese : english;
    if (text.language == 0)
        LoadInterfaceText(text, language);
    return text.media;
}

} // namespace

class TestMedia : public QObject
{
    Q_OBJECT

private slots:
    void factsAndState_data();
    void factsAndState();
    void unreadable_data();
    void unreadable();
    void fifoIsRefused();
    void missingFile();
    void profileFiles();
    void cacheProbesChangedFilesOnly();
    void cacheFollowsNoLink_data();
    void cacheFollowsNoLink();
    void durationTheFileDoesNotBearOut_data();
    void durationTheFileDoesNotBearOut();

private:
    QTemporaryDir m_dir;
};

void TestMedia::factsAndState_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("duration"); // -1: none
    QTest::addColumn<qint64>("frameMs"); // the tolerance: one frame
    QTest::addColumn<QString>("codec"); // video, or audio when there is no video
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("reason");

    const int plays = int(MediaState::Plays);
    const int mayNot = int(MediaState::MayNotPlay);
    QTest::newRow("MPEG-1 program stream") << "mpeg1"
                                           << "clip.mpg" << 1000LL << 40LL << "mpeg1video"
                                           << QSize(352, 288) << plays << QString();
    QTest::newRow("MPEG-1 named .DAT") << "mpeg1"
                                       << "CLIP.DAT" << 1000LL << 40LL << "mpeg1video"
                                       << QSize(352, 288) << plays << QString();
    QTest::newRow("MPEG-2 program stream named .VOB")
            << "mpeg2"
            << "CLIP.VOB" << 1000LL << 40LL << "mpeg2video" << QSize(720, 576) << plays
            << QString();
    QTest::newRow("MPEG-4 part 2 in AVI")
            << "mpeg4"
            << "clip.avi" << 1000LL << 40LL << "mpeg4" << QSize(352, 288) << plays << QString();
    QTest::newRow("frame too large")
            << "mpeg4-large"
            << "large.avi" << 200LL << 40LL << "mpeg4" << QSize(1024, 576) << mayNot
            << "the profile says frame size 1024×576 above 720×576";
    QTest::newRow("H.264 named .MPG") << "h264"
                                      << "h264.mpg" << 1000LL << 40LL << "h264" << QSize(320, 240)
                                      << mayNot << "the profile says H.264 in an .MPG file";
    // LAME puts 1105 samples of its delay before the sound: 25 ms at 44.1 kHz, 50 at 22.05.
    QTest::newRow("MP3 44.1 kHz") << "mp3"
                                  << "song.mp3" << 1025LL << 27LL << "mp3" << QSize() << plays
                                  << QString();
    QTest::newRow("MP3 22.05 kHz") << "mp3-22k"
                                   << "low.mp3" << 1050LL << 27LL << "mp3" << QSize() << mayNot
                                   << "the profile says sample rate 22050 Hz";
    QTest::newRow("MP2 named .mp3") << "mp2"
                                    << "layer2.mp3" << 1000LL << 27LL << "mp2" << QSize() << mayNot
                                    << "the profile says MP2 in an .MP3 file";
    QTest::newRow("baseline JPEG")
            << "jpeg"
            << "photo.jpg" << -1LL << 0LL << "mjpeg" << QSize(640, 480) << plays << QString();
    QTest::newRow("progressive JPEG") << "jpeg-progressive"
                                      << "photo2.JPEG" << -1LL << 0LL << "mjpeg" << QSize(640, 480)
                                      << mayNot << "the profile says progressive JPEG";
    QTest::newRow("JPEG named .mpg")
            << "jpeg"
            << "photo.mpg" << -1LL << 0LL << "mjpeg" << QSize(640, 480) << mayNot
            << "the profile says jpeg_pipe container in an .MPG file";
}

void TestMedia::factsAndState()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(qint64, duration);
    QFETCH(qint64, frameMs);
    QFETCH(QString, codec);
    QFETCH(QSize, size);
    QFETCH(int, state);
    QFETCH(QString, reason);

    const QString path = m_dir.filePath(name);
    const QString made = Make(kind, path);
    if (made.startsWith(QLatin1String("no ")) && made.endsWith(QLatin1String(" encoder")))
        QSKIP(qPrintable(made));
    QVERIFY2(made.isEmpty(), qPrintable(made));

    const ProbeResult probed = ProbeMedia(path);
    QVERIFY2(probed, qPrintable(probed.reason));
    const MediaFacts &facts = probed.facts;
    if (duration < 0) {
        QVERIFY(facts.picture);
        QCOMPARE(facts.durationMs, -1);
    } else {
        QVERIFY2(std::abs(facts.durationMs - duration) <= frameMs,
                 qPrintable(QString::number(facts.durationMs)));
    }
    if (size.isValid()) {
        QCOMPARE(facts.videoCodec, codec);
        QCOMPARE(QSize(facts.width, facts.height), size);
    } else {
        QVERIFY(facts.videoCodec.isEmpty());
        QCOMPARE(facts.audioCodec, codec);
        QCOMPARE(facts.channels, 1);
        QCOMPARE(facts.mp3Layer, codec == QLatin1String("mp3") ? 3 : 2);
    }
    if (!facts.picture && size.isValid())
        QVERIFY(qFuzzyCompare(facts.frameRate, 25.0));
    // The files are made at 400 kbit/s (short ones run higher); MPEG-1's "variable rate" mark
    // (104 Mbit/s) is no rate.
    if (!facts.picture && size.isValid())
        QVERIFY2(facts.bitRate > 0 && facts.bitRate < 10000000,
                 qPrintable(QString::number(facts.bitRate)));
    QCOMPARE(facts.progressive, kind == QLatin1String("jpeg-progressive"));
    QVERIFY(!facts.cmyk);

    const QString extension = QFileInfo(name).suffix();
    const MediaCheck check = CheckMedia(probed, extension, DefaultProfile());
    QCOMPARE(int(check.state), state);
    QCOMPARE(MediaCheckReason(check, Texts(English)), reason);
    if (!reason.isEmpty())
        QVERIFY(MediaCheckReason(check, Texts(Japanese))
                        .startsWith(QStringLiteral("プロファイル")));
}

void TestMedia::unreadable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");

    const QString avi = m_dir.filePath(QStringLiteral("whole.avi"));
    QVERIFY(Make(QStringLiteral("mpeg4"), avi).isEmpty());
    QFile whole(avi);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    QTest::newRow("truncated AVI") << "cut.avi" << whole.read(300);
    QTest::newRow("garbage") << "noise.mpg" << QByteArray(256 * 1024, '\x5a');
    QTest::newRow("empty") << "empty.mp3" << QByteArray();
}

void TestMedia::unreadable()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    constexpr int Limit = 3000;
    QElapsedTimer timer;
    timer.start();
    const ProbeResult probed = ProbeMedia(path, Limit);
    // Bounded, not measured: a probe that hung would pass its limit by far.
    QVERIFY(timer.elapsed() < Limit + 2000);
    QVERIFY(!probed);
    QCOMPARE(probed.outcome, ProbeOutcome::Unreadable);
    // The reason says why; the state alone says "cannot be read", so no line says it twice.
    QVERIFY2(!probed.reason.isEmpty() && !probed.reason.startsWith(QLatin1String("cannot")),
             qPrintable(probed.reason));
    const MediaCheck check = CheckMedia(probed, QFileInfo(name).suffix(), DefaultProfile());
    QCOMPARE(check.state, MediaState::CannotBeRead);
    QCOMPARE(MediaCheckReason(check, Texts(English)), probed.reason);
}

void TestMedia::fifoIsRefused()
{
    const QString path = m_dir.filePath(QStringLiteral("pipe.mpg"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    // Nobody writes to the FIFO: a probe that opened it for reading would wait forever.
    const ProbeResult probed = ProbeMedia(path);
    QCOMPARE(probed.outcome, ProbeOutcome::Unreadable);
    QVERIFY2(probed.reason.contains(QLatin1String("FIFO")), qPrintable(probed.reason));
}

void TestMedia::missingFile()
{
    const ProbeResult probed = ProbeMedia(m_dir.filePath(QStringLiteral("gone.mpg")));
    QCOMPARE(probed.outcome, ProbeOutcome::NotFound);
    QCOMPARE(CheckMedia(probed, QStringLiteral("mpg"), DefaultProfile()).state,
             MediaState::NotFound);
    QCOMPARE(MediaStateText(MediaState::NotFound, Texts(English)), QStringLiteral("not found"));
}

void TestMedia::profileFiles()
{
    const ProfileResult shipped = ReadPlayerProfile(QStringLiteral(NERAV_DEFAULT_PROFILE));
    QVERIFY2(shipped.profile, qPrintable(shipped.reason));
    for (const char *extension : {"mpg", "dat", "vob", "avi", "mp3", "jpg", "jpeg"})
        QVERIFY2(shipped.profile->rules.contains(QLatin1String(extension)), extension);

    const QString own = m_dir.filePath(QStringLiteral("own.json"));
    QFile file(own);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"extensions": {"MP4": {"containers": ["mov,mp4,m4a,3gp,3g2,mj2"]}}})");
    file.close();
    const ProfileResult read = ReadPlayerProfile(own);
    QVERIFY(read.profile);
    QVERIFY(read.profile->rules.contains(QStringLiteral("mp4")));

    QVERIFY(!ReadPlayerProfile(m_dir.filePath(QStringLiteral("none.json"))).profile);
    QVERIFY(!ReadPlayerProfile(m_dir.path()).profile);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"extensions\": ");
    file.close();
    const ProfileResult broken = ReadPlayerProfile(own);
    QVERIFY(!broken.profile);
    QVERIFY(broken.reason.contains(own));
}

void TestMedia::cacheProbesChangedFilesOnly()
{
    const QString folder = m_dir.filePath(QStringLiteral("cache"));
    const QString clip = m_dir.filePath(QStringLiteral("cached.mpg"));
    QVERIFY(Make(QStringLiteral("mpeg1"), clip).isEmpty());
    {
        MediaCache cache(folder);
        QCOMPARE(cache.probe(clip).facts.videoCodec, QStringLiteral("mpeg1video"));
        QCOMPARE(cache.probe(clip).facts.videoCodec, QStringLiteral("mpeg1video"));
        QCOMPARE(cache.probesRun(), 1);
        QCOMPARE(cache.save(), QString());
    }
    {
        // Read back from the file: the unchanged clip is not probed again.
        MediaCache cache(folder);
        const ProbeResult known = cache.probe(clip);
        QCOMPARE(cache.probesRun(), 0);
        QCOMPARE(known.facts.width, 352);
        QVERIFY(std::abs(known.facts.durationMs - 1000) <= 40);
    }
    // Another clip under the same name, with another size: probed again.
    QVERIFY(Make(QStringLiteral("mpeg4"), clip).isEmpty());
    MediaCache cache(folder);
    QCOMPARE(cache.probe(clip).facts.container, QStringLiteral("avi"));
    QCOMPARE(cache.probesRun(), 1);
}

void TestMedia::cacheFollowsNoLink_data()
{
    QTest::addColumn<QString>("linked");
    QTest::newRow("cache file") << QString::fromLatin1(MediaCache::FileName);
    QTest::newRow("cache folder") << QString();
}

void TestMedia::cacheFollowsNoLink()
{
    // Someone else's file at the link's end keeps its content; the cache says why it is not kept.
    QFETCH(QString, linked);
    QTemporaryDir dir;
    const QString victimFolder = dir.filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(victimFolder));
    const QString victim = victimFolder + u'/' + QLatin1String(MediaCache::FileName);
    QFile file(victim);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not the cache's");
    file.close();
    const QString folder = dir.filePath(QStringLiteral("cache"));
    if (linked.isEmpty()) {
        QVERIFY(QFile::link(victimFolder, folder));
    } else {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::link(victim, folder + u'/' + linked));
    }
    const QString clip = dir.filePath(QStringLiteral("clip.mpg"));
    QVERIFY(Make(QStringLiteral("mpeg1"), clip).isEmpty());

    MediaCache cache(folder);
    QCOMPARE(cache.probe(clip).facts.videoCodec, QStringLiteral("mpeg1video"));
    const QString reason = cache.save();
    QVERIFY(reason.contains(folder));
    QVERIFY(QFileInfo(linked.isEmpty() ? folder : folder + u'/' + linked).isSymLink());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("not the cache's"));
}

void TestMedia::durationTheFileDoesNotBearOut_data()
{
    // A 3-second MP3, cut short or followed by bytes that are no audio; -1: no figure.
    QTest::addColumn<int>("keptPercent");
    QTest::addColumn<int>("garbageKiB");
    QTest::addColumn<qint64>("durationMs");
    QTest::newRow("whole") << 100 << 0 << 3000LL;
    QTest::newRow("cut to a third") << 33 << 0 << -1LL;
    QTest::newRow("garbage after it") << 100 << 2048 << -1LL;
}

void TestMedia::durationTheFileDoesNotBearOut()
{
    QFETCH(int, keptPercent);
    QFETCH(int, garbageKiB);
    QFETCH(qint64, durationMs);
    const QString path = m_dir.filePath(QStringLiteral("estimated.mp3"));
    QVERIFY(MakeAudio(path, AudioRecipe {"libmp3lame", 44100, 3000}).isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.resize(file.size() * keptPercent / 100));
    QVERIFY(file.seek(file.size()));
    quint32 noise = 12345;
    QByteArray garbage(garbageKiB * 1024, '\0');
    for (char &byte : garbage) {
        noise = noise * 1103515245u + 12345u;
        byte = char(noise >> 16);
    }
    QCOMPARE(file.write(garbage), garbage.size());
    file.close();

    const ProbeResult result = ProbeMedia(path);
    QVERIFY2(result.outcome == ProbeOutcome::Read, qPrintable(result.reason));
    if (durationMs < 0)
        QCOMPARE(result.facts.durationMs, -1);
    else
        QVERIFY2(std::abs(result.facts.durationMs - durationMs) <= 60,
                 qPrintable(QString::number(result.facts.durationMs)));
}

QTEST_MAIN(TestMedia)
#include "tst_media.moc"
