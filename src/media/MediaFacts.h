#pragma once

// What a media file is, as far as the player cares: its container, running time and the codecs
// of its first video and audio streams; for a JPEG picture its coding and colours.

#include <QJsonObject>
#include <QString>

namespace nerav {

struct MediaFacts
{
    QString container; // the demuxer's name: "mpeg", "avi", "mp3", "jpeg_pipe"...
    qint64 durationMs = -1; // -1: unknown (a picture has none)
    bool picture = false; // a still picture
    QString videoCodec; // "mpeg1video", "mpeg4", "h264"...; empty when there is no video
    QString profile; // the video codec's profile, when it names one
    int width = 0;
    int height = 0;
    double frameRate = 0;
    qint64 bitRate = 0; // bits per second, 0: unknown
    QString audioCodec; // empty when there is no audio
    int sampleRate = 0;
    int channels = 0;
    int mp3Layer = 0; // 1, 2 or 3 for MPEG audio, 0 otherwise
    bool progressive = false; // JPEG only
    bool cmyk = false; // JPEG only: four colour components
};

enum class ProbeOutcome { Read, NotFound, Unreadable };

struct ProbeResult
{
    ProbeOutcome outcome = ProbeOutcome::Unreadable;
    MediaFacts facts; // when read
    QString reason; // why it was not read (the state itself is said apart)

    explicit operator bool() const { return outcome == ProbeOutcome::Read; }
};

QJsonObject MediaFactsToJson(const MediaFacts &facts);
MediaFacts MediaFactsFromJson(const QJsonObject &object);

QJsonObject ProbeResultToJson(const ProbeResult &result);
ProbeResult ProbeResultFromJson(const QJsonObject &object);

} // namespace nerav
