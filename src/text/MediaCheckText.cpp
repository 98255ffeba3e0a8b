#include "MediaCheckText.h"

#include <QHash>

namespace nerav {

namespace {

// The codec as people call it: "H.264" rather than "h264".
QString CodecName(const QString &codec)
{
    static const QHash<QString, QString> names = {
            {QStringLiteral("h264"), QStringLiteral("H.264")},
            {QStringLiteral("hevc"), QStringLiteral("H.265")},
            {QStringLiteral("mpeg4"), QStringLiteral("MPEG-4 part 2")},
            {QStringLiteral("mpeg1video"), QStringLiteral("MPEG-1 video")},
            {QStringLiteral("mpeg2video"), QStringLiteral("MPEG-2 video")},
            {QStringLiteral("mp2"), QStringLiteral("MP2")},
            {QStringLiteral("mp3"), QStringLiteral("MP3")},
    };
    return names.value(codec, codec);
}

QString MismatchText(const MediaCheck &c, const MediaTable &t)
{
    const QString upper = c.extension.toUpper();
    switch (c.mismatch) {
    case MediaMismatch::None:
        break;
    case MediaMismatch::NoRule:
        return t.noRule.arg(upper);
    case MediaMismatch::Container:
        return t.containerInFile.arg(c.found, upper);
    case MediaMismatch::Codec:
        return t.codecInFile.arg(CodecName(c.found), upper);
    case MediaMismatch::Progressive:
        return t.progressiveJpeg;
    case MediaMismatch::Cmyk:
        return t.cmykJpeg;
    case MediaMismatch::PictureTooLarge:
        return t.pictureAbove.arg(c.size.width())
                .arg(c.size.height())
                .arg(c.most.width())
                .arg(c.most.height());
    case MediaMismatch::FrameTooLarge:
        return t.frameAbove.arg(c.size.width())
                .arg(c.size.height())
                .arg(c.most.width())
                .arg(c.most.height());
    case MediaMismatch::SampleRate:
        return t.sampleRate.arg(c.sampleRate);
    }
    return QString();
}

} // namespace

QString MediaStateText(MediaState state, const MediaTable &t)
{
    switch (state) {
    case MediaState::Plays:
        return t.plays;
    case MediaState::MayNotPlay:
        return t.mayNotPlay;
    case MediaState::NotFound:
        return t.notFound;
    case MediaState::CannotBeRead:
        break;
    }
    return t.cannotBeRead;
}

QString MediaCheckReason(const MediaCheck &check, const MediaTable &t)
{
    switch (check.state) {
    case MediaState::MayNotPlay:
        return t.profileSays.arg(MismatchText(check, t));
    case MediaState::CannotBeRead:
        return check.readProblem;
    case MediaState::Plays:
    case MediaState::NotFound:
        break;
    }
    return QString();
}

} // namespace nerav
