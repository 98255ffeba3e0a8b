#include "MediaFacts.h"

namespace nerav {

QJsonObject MediaFactsToJson(const MediaFacts &f)
{
    QJsonObject o;
    o[QStringLiteral("container")] = f.container;
    o[QStringLiteral("durationMs")] = f.durationMs;
    o[QStringLiteral("picture")] = f.picture;
    o[QStringLiteral("videoCodec")] = f.videoCodec;
    o[QStringLiteral("profile")] = f.profile;
    o[QStringLiteral("width")] = f.width;
    o[QStringLiteral("height")] = f.height;
    o[QStringLiteral("frameRate")] = f.frameRate;
    o[QStringLiteral("bitRate")] = f.bitRate;
    o[QStringLiteral("audioCodec")] = f.audioCodec;
    o[QStringLiteral("sampleRate")] = f.sampleRate;
    o[QStringLiteral("channels")] = f.channels;
    o[QStringLiteral("mp3Layer")] = f.mp3Layer;
    o[QStringLiteral("progressive")] = f.progressive;
    o[QStringLiteral("cmyk")] = f.cmyk;
    return o;
}

MediaFacts MediaFactsFromJson(const QJsonObject &o)
{
    MediaFacts f;
    f.container = o.value(QStringLiteral("container")).toString();
    f.durationMs = o.value(QStringLiteral("durationMs")).toInteger(-1);
    f.picture = o.value(QStringLiteral("picture")).toBool();
    f.videoCodec = o.value(QStringLiteral("videoCodec")).toString();
    f.profile = o.value(QStringLiteral("profile")).toString();
    f.width = o.value(QStringLiteral("width")).toInt();
    f.height = o.value(QStringLiteral("height")).toInt();
    f.frameRate = o.value(QStringLiteral("frameRate")).toDouble();
    f.bitRate = o.value(QStringLiteral("bitRate")).toInteger();
    f.audioCodec = o.value(QStringLiteral("audioCodec")).toString();
    f.sampleRate = o.value(QStringLiteral("sampleRate")).toInt();
    f.channels = o.value(QStringLiteral("channels")).toInt();
    f.mp3Layer = o.value(QStringLiteral("mp3Layer")).toInt();
    f.progressive = o.value(QStringLiteral("progressive")).toBool();
    f.cmyk = o.value(QStringLiteral("cmyk")).toBool();
    return f;
}

QJsonObject ProbeResultToJson(const ProbeResult &result)
{
    QJsonObject o;
    if (result)
        o[QStringLiteral("facts")] = MediaFactsToJson(result.facts);
    else
        o[QStringLiteral("reason")] = result.reason;
    o[QStringLiteral("notFound")] = result.outcome == ProbeOutcome::NotFound;
    return o;
}

ProbeResult ProbeResultFromJson(const QJsonObject &o)
{
    ProbeResult result;
    if (o.contains(QStringLiteral("facts"))) {
        result.outcome = ProbeOutcome::Read;
        result.facts = MediaFactsFromJson(o.value(QStringLiteral("facts")).toObject());
    } else {
        result.outcome = o.value(QStringLiteral("notFound")).toBool() ? ProbeOutcome::NotFound
                                                                      : ProbeOutcome::Unreadable;
        result.reason = o.value(QStringLiteral("reason")).toString();
    }
    return result;
}

} // namespace nerav
