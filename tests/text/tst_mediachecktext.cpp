// What the player profile says of a file's facts, judged as codes and worded in both languages:
// each reason with its blanks filled in the right places.

#include "MediaCheckText.h"

#include <QtTest>

using namespace nerav;

Q_DECLARE_METATYPE(nerav::ProbeResult)

namespace {

PlayerProfile Profile()
{
    ExtensionRule video;
    video.containers = {"mpeg"};
    video.video = {"mpeg1video"};
    video.audio = {"mp2"};
    video.maxFrame = QSize(720, 576);
    video.sampleRates = {44100, 48000};
    ExtensionRule picture;
    picture.picture = true;
    picture.progressive = false;
    picture.cmyk = false;
    picture.maxFrame = QSize(1920, 1080);
    return PlayerProfile {"test", {{"mpg", video}, {"jpg", picture}}};
}

MediaFacts Video()
{
    MediaFacts facts;
    facts.container = "mpeg";
    facts.durationMs = 1000;
    facts.videoCodec = "mpeg1video";
    facts.width = 352;
    facts.height = 288;
    facts.audioCodec = "mp2";
    facts.sampleRate = 44100;
    return facts;
}

MediaFacts Picture()
{
    MediaFacts facts;
    facts.container = "jpeg_pipe";
    facts.picture = true;
    facts.videoCodec = "mjpeg";
    facts.width = 640;
    facts.height = 480;
    return facts;
}

ProbeResult Read(const MediaFacts &facts)
{
    return ProbeResult {ProbeOutcome::Read, facts, {}};
}

} // namespace

class MediaCheckTextTest : public QObject
{
    Q_OBJECT

private slots:
    void reasons_data();
    void reasons();
    void statesWithoutReason();
};

void MediaCheckTextTest::reasons_data()
{
    QTest::addColumn<ProbeResult>("probed");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("japanese");

    const int plays = int(MediaState::Plays);
    const int mayNot = int(MediaState::MayNotPlay);
    MediaFacts hevc = Video();
    hevc.videoCodec = "hevc";
    MediaFacts mp3 = Video();
    mp3.audioCodec = "mp3";
    MediaFacts large = Video();
    large.width = 1280;
    large.height = 720;
    MediaFacts low = Video();
    low.sampleRate = 22050;
    MediaFacts avi = Video();
    avi.container = "avi";
    MediaFacts progressive = Picture();
    progressive.progressive = true;
    MediaFacts cmyk = Picture();
    cmyk.cmyk = true;
    MediaFacts poster = Picture();
    poster.width = 4000;
    poster.height = 3000;

    QTest::newRow("plays") << Read(Video()) << "MPG" << plays << ""
                           << "";
    QTest::newRow("no rule") << Read(Video()) << "dat" << mayNot
                             << "the profile says no rule for .DAT files"
                             << "プロファイルの条件外: .DAT ファイルの条件がない";
    QTest::newRow("container") << Read(avi) << "mpg" << mayNot
                               << "the profile says avi container in an .MPG file"
                               << "プロファイルの条件外: .MPG ファイルが avi 形式";
    QTest::newRow("picture in a video's name")
            << Read(Picture()) << "mpg" << mayNot
            << "the profile says jpeg_pipe container in an .MPG file"
            << "プロファイルの条件外: .MPG ファイルが jpeg_pipe 形式";
    QTest::newRow("video codec by its common name")
            << Read(hevc) << "mpg" << mayNot << "the profile says H.265 in an .MPG file"
            << "プロファイルの条件外: .MPG ファイル内の H.265";
    QTest::newRow("audio codec") << Read(mp3) << "mpg" << mayNot
                                 << "the profile says MP3 in an .MPG file"
                                 << "プロファイルの条件外: .MPG ファイル内の MP3";
    QTest::newRow("frame") << Read(large) << "mpg" << mayNot
                           << "the profile says frame size 1280×720 above 720×576"
                           << "プロファイルの条件外: フレームサイズ 1280×720 が 720×576 を超える";
    QTest::newRow("sample rate") << Read(low) << "mpg" << mayNot
                                 << "the profile says sample rate 22050 Hz"
                                 << "プロファイルの条件外: サンプリング周波数 22050 Hz";
    QTest::newRow("progressive") << Read(progressive) << "jpg" << mayNot
                                 << "the profile says progressive JPEG"
                                 << "プロファイルの条件外: プログレッシブ JPEG";
    QTest::newRow("cmyk") << Read(cmyk) << "JPG" << mayNot << "the profile says CMYK JPEG"
                          << "プロファイルの条件外: CMYK の JPEG";
    QTest::newRow("picture size")
            << Read(poster) << "jpg" << mayNot
            << "the profile says picture size 4000×3000 above 1920×1080"
            << "プロファイルの条件外: 画像サイズ 4000×3000 が 1920×1080 を超える";
    QTest::newRow("cannot be read: the reader's own words")
            << ProbeResult {ProbeOutcome::Unreadable, {}, "no stream found"} << "mpg"
            << int(MediaState::CannotBeRead) << "no stream found"
            << "no stream found";
}

void MediaCheckTextTest::reasons()
{
    QFETCH(ProbeResult, probed);
    QFETCH(QString, extension);
    QFETCH(int, state);
    QFETCH(QString, english);
    QFETCH(QString, japanese);

    const MediaCheck check = CheckMedia(probed, extension, Profile());
    QCOMPARE(int(check.state), state);
    InterfaceText text;
    LoadEnglishText(text);
    QCOMPARE(MediaCheckReason(check, text.media), english);
    LoadJapaneseText(text);
    QCOMPARE(MediaCheckReason(check, text.media), japanese);
}

void MediaCheckTextTest::statesWithoutReason()
{
    ProbeResult missing;
    missing.outcome = ProbeOutcome::NotFound;
    const MediaCheck check = CheckMedia(missing, "mpg", Profile());
    QCOMPARE(check.state, MediaState::NotFound);
    InterfaceText text;
    LoadJapaneseText(text);
    QCOMPARE(MediaStateText(check.state, text.media), QStringLiteral("見つからない"));
    QVERIFY(MediaCheckReason(check, text.media).isEmpty());
    LoadEnglishText(text);
    QCOMPARE(MediaStateText(MediaState::MayNotPlay, text.media), QStringLiteral("may not play"));
}

QTEST_APPLESS_MAIN(MediaCheckTextTest)
#include "tst_mediachecktext.moc"
