#include "MediaText.h"

namespace nerav {

namespace {

MediaTable EnglishMediaTable()
{
    MediaTable t;
    t.plays = QStringLiteral("plays");
    t.mayNotPlay = QStringLiteral("may not play");
    t.notFound = QStringLiteral("not found");
    t.cannotBeRead = QStringLiteral("cannot be read");
    t.profileSays = QStringLiteral("the profile says %1");
    t.progressiveJpeg = QStringLiteral("progressive JPEG");
    t.cmykJpeg = QStringLiteral("CMYK JPEG");
    t.codecInFile = QStringLiteral("%1 in an .%2 file");
    t.containerInFile = QStringLiteral("%1 container in an .%2 file");
    t.frameAbove = QStringLiteral("frame size %1×%2 above %3×%4");
    t.pictureAbove = QStringLiteral("picture size %1×%2 above %3×%4");
    t.sampleRate = QStringLiteral("sample rate %1 Hz");
    t.noRule = QStringLiteral("no rule for .%1 files");
    return t;
}

MediaTable JapaneseMediaTable()
{
    MediaTable t;
    t.plays = QStringLiteral("再生可");
    t.mayNotPlay = QStringLiteral("再生できない可能性あり");
    t.notFound = QStringLiteral("見つからない");
    t.cannotBeRead = QStringLiteral("読み取れない");
    t.profileSays = QStringLiteral("プロファイルの条件外: %1");
    t.progressiveJpeg = QStringLiteral("プログレッシブ JPEG");
    t.cmykJpeg = QStringLiteral("CMYK の JPEG");
    t.codecInFile = QStringLiteral(".%2 ファイル内の %1");
    t.containerInFile = QStringLiteral(".%2 ファイルが %1 形式");
    t.frameAbove = QStringLiteral("フレームサイズ %1×%2 が %3×%4 を超える");
    t.pictureAbove = QStringLiteral("画像サイズ %1×%2 が %3×%4 を超える");
    t.sampleRate = QStringLiteral("サンプリング周波数 %1 Hz");
    t.noRule = QStringLiteral(".%1 ファイルの条件がない");
    return t;
}

} // namespace

const MediaTable &MediaTexts(Language language)
{
    static const MediaTable english = EnglishMediaTable();
    static const MediaTable japanese = JapaneseMediaTable();
    return language == Japanese ? japanese : english;
}

} // namespace nerav
