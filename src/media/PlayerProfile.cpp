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

bool Above(int width, int height, QSize most)
{
    return most.isValid() && (width > most.width() || height > most.height());
}

// Why the rule does not take the facts; None when it does.
MediaCheck Mismatch(const MediaFacts &f, const ExtensionRule &rule)
{
    MediaCheck check;
    check.size = QSize(f.width, f.height);
    check.most = rule.maxFrame;
    check.sampleRate = f.sampleRate;
    const auto says = [&check](MediaMismatch mismatch, const QString &found = QString()) {
        check.mismatch = mismatch;
        check.found = found;
        return check;
    };
    if (rule.picture) {
        if (!f.picture)
            return says(MediaMismatch::Container, f.container);
        if (f.progressive && !rule.progressive)
            return says(MediaMismatch::Progressive);
        if (f.cmyk && !rule.cmyk)
            return says(MediaMismatch::Cmyk);
        if (Above(f.width, f.height, rule.maxFrame))
            return says(MediaMismatch::PictureTooLarge);
        return check;
    }
    if (f.picture || (!rule.containers.isEmpty() && !rule.containers.contains(f.container)))
        return says(MediaMismatch::Container, f.container);
    if (!f.videoCodec.isEmpty() && !rule.video.contains(f.videoCodec))
        return says(MediaMismatch::Codec, f.videoCodec);
    if (!f.audioCodec.isEmpty() && !rule.audio.contains(f.audioCodec))
        return says(MediaMismatch::Codec, f.audioCodec);
    if (!f.videoCodec.isEmpty() && Above(f.width, f.height, rule.maxFrame))
        return says(MediaMismatch::FrameTooLarge);
    if (!f.audioCodec.isEmpty() && !rule.sampleRates.isEmpty() &&
        !rule.sampleRates.contains(f.sampleRate))
        return says(MediaMismatch::SampleRate);
    return check;
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
                      const PlayerProfile &profile)
{
    MediaCheck check;
    if (probed.outcome == ProbeOutcome::NotFound) {
        check.state = MediaState::NotFound;
        return check;
    }
    if (!probed) {
        check.readProblem = probed.reason;
        return check;
    }
    const auto rule = profile.rules.constFind(extension.toLower());
    if (rule == profile.rules.cend()) {
        check.mismatch = MediaMismatch::NoRule;
    } else {
        check = Mismatch(probed.facts, rule.value());
    }
    check.extension = extension;
    check.state =
            check.mismatch == MediaMismatch::None ? MediaState::Plays : MediaState::MayNotPlay;
    return check;
}

} // namespace nerav
