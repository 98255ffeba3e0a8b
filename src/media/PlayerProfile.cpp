#include "PlayerProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace nerav {

namespace {

// A profile is a few kilobytes; anything much larger is not one.
constexpr qint64 LargestProfile = 1024 * 1024;

QStringList Strings(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &item : value.toArray())
        list.append(item.toString());
    return list;
}

ExtensionRule RuleOf(const QJsonObject &o)
{
    ExtensionRule rule;
    rule.containers = Strings(o.value(QStringLiteral("containers")));
    rule.video = Strings(o.value(QStringLiteral("video")));
    rule.audio = Strings(o.value(QStringLiteral("audio")));
    const QJsonArray frame = o.value(QStringLiteral("maxFrame")).toArray();
    if (frame.size() == 2)
        rule.maxFrame = QSize(frame.at(0).toInt(), frame.at(1).toInt());
    for (const QJsonValue &rate : o.value(QStringLiteral("sampleRates")).toArray())
        rule.sampleRates.append(rate.toInt());
    rule.picture = o.value(QStringLiteral("picture")).toBool();
    rule.progressive = o.value(QStringLiteral("progressive")).toBool(true);
    rule.cmyk = o.value(QStringLiteral("cmyk")).toBool(true);
    return rule;
}

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

bool Above(int width, int height, QSize most)
{
    return most.isValid() && (width > most.width() || height > most.height());
}

// Why the rule does not take the facts, in the table's words; empty when it does.
QString Mismatch(const MediaFacts &f, const QString &extension, const ExtensionRule &rule,
                 const MediaTable &t)
{
    const QString upper = extension.toUpper();
    if (rule.picture) {
        if (!f.picture)
            return t.containerInFile.arg(f.container, upper);
        if (f.progressive && !rule.progressive)
            return t.progressiveJpeg;
        if (f.cmyk && !rule.cmyk)
            return t.cmykJpeg;
        if (Above(f.width, f.height, rule.maxFrame))
            return t.pictureAbove.arg(f.width)
                    .arg(f.height)
                    .arg(rule.maxFrame.width())
                    .arg(rule.maxFrame.height());
        return QString();
    }
    if (f.picture || (!rule.containers.isEmpty() && !rule.containers.contains(f.container)))
        return t.containerInFile.arg(f.container, upper);
    if (!f.videoCodec.isEmpty() && !rule.video.contains(f.videoCodec))
        return t.codecInFile.arg(CodecName(f.videoCodec), upper);
    if (!f.audioCodec.isEmpty() && !rule.audio.contains(f.audioCodec))
        return t.codecInFile.arg(CodecName(f.audioCodec), upper);
    if (!f.videoCodec.isEmpty() && Above(f.width, f.height, rule.maxFrame))
        return t.frameAbove.arg(f.width)
                .arg(f.height)
                .arg(rule.maxFrame.width())
                .arg(rule.maxFrame.height());
    if (!f.audioCodec.isEmpty() && !rule.sampleRates.isEmpty() &&
        !rule.sampleRates.contains(f.sampleRate))
        return t.sampleRate.arg(f.sampleRate);
    return QString();
}

} // namespace

ProfileResult ReadPlayerProfile(const QString &path)
{
    ProfileResult result;
    QFile file(path);
    if (QFileInfo(path).isFile() && QFileInfo(path).size() > LargestProfile) {
        result.reason = QStringLiteral("%1 is too large for a player profile").arg(path);
        return result;
    }
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        result.reason = QStringLiteral("Cannot read the player profile %1").arg(path);
        return result;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.read(LargestProfile), &error);
    const QJsonObject extensions = document.object().value(QStringLiteral("extensions")).toObject();
    if (error.error != QJsonParseError::NoError || extensions.isEmpty()) {
        result.reason = QStringLiteral("%1 is not a player profile: %2")
                                .arg(path,
                                     error.error != QJsonParseError::NoError
                                             ? error.errorString()
                                             : QStringLiteral("no \"extensions\""));
        return result;
    }
    PlayerProfile profile;
    profile.name = document.object().value(QStringLiteral("name")).toString();
    for (auto it = extensions.begin(); it != extensions.end(); ++it)
        profile.rules.insert(it.key().toLower(), RuleOf(it.value().toObject()));
    result.profile = profile;
    return result;
}

QString DefaultProfilePath()
{
    const QString program = QCoreApplication::applicationDirPath();
    const QString beside = program + QStringLiteral("/profiles/default.json");
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(program +
                           QStringLiteral("/../share/nerav-schedule-generator/profiles/"
                                          "default.json"));
}

MediaCheck CheckMedia(const ProbeResult &probed, const QString &extension,
                      const PlayerProfile &profile, const MediaTable &t)
{
    MediaCheck check;
    if (probed.outcome == ProbeOutcome::NotFound) {
        check.state = MediaState::NotFound;
        return check;
    }
    if (!probed) {
        check.reason = probed.reason;
        return check;
    }
    const QString lower = extension.toLower();
    const auto rule = profile.rules.constFind(lower);
    const QString why = rule == profile.rules.cend()
            ? t.noRule.arg(extension.toUpper())
            : Mismatch(probed.facts, lower, rule.value(), t);
    check.state = why.isEmpty() ? MediaState::Plays : MediaState::MayNotPlay;
    if (!why.isEmpty())
        check.reason = t.profileSays.arg(why);
    return check;
}

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

} // namespace nerav
