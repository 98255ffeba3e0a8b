#include "FfmpegProbe.h"

#include "MediaInput.h"
#include "MediaProbe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
}

#include <QByteArray>

#include <unistd.h>

namespace nerav {

namespace {

// The coding and colours of a JPEG, from its start-of-frame marker.
void ReadJpegFrame(int fd, MediaFacts &facts)
{
    QByteArray head(256 * 1024, '\0');
    const ssize_t got = ::pread(fd, head.data(), std::size_t(head.size()), 0);
    if (got < 4)
        return;
    const auto byte = [&](qsizetype i) { return i < got ? uchar(head.at(i)) : 0; };
    qsizetype at = 2;
    while (at + 9 < got) {
        if (byte(at) != 0xFF) {
            ++at;
            continue;
        }
        const uchar marker = byte(at + 1);
        if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            ++at;
            continue;
        }
        const int length = byte(at + 2) << 8 | byte(at + 3);
        const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            facts.progressive =
                    marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
            facts.height = byte(at + 5) << 8 | byte(at + 6);
            facts.width = byte(at + 7) << 8 | byte(at + 8);
            facts.cmyk = byte(at + 9) == 4;
            return;
        }
        at += 2 + length;
    }
}

// The length in bytes of the MPEG audio frame whose header starts at h (four bytes); 0 when
// these bytes are no frame header.
int MpegAudioFrameLength(const uchar *h)
{
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0)
        return 0;
    const int version = (h[1] >> 3) & 3; // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
    const int layer = 3 - ((h[1] >> 1) & 3); // 0: layer I, 1: II, 2: III
    const int rateIndex = h[2] >> 4;
    const int sampleIndex = (h[2] >> 2) & 3;
    if (version == 1 || layer == 3 || rateIndex == 0 || rateIndex == 15 || sampleIndex == 3)
        return 0;
    static const short kbps[2][3][15] = {
            {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
             {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
             {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
            {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
             {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
             {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};
    static const int sampleRates[3] = {44100, 48000, 32000};
    const bool mpeg1 = version == 3;
    const int sampleRate = sampleRates[sampleIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    const int bitRate = kbps[mpeg1 ? 0 : 1][layer][rateIndex] * 1000;
    const int padding = (h[2] >> 1) & 1;
    if (layer == 0)
        return (12 * bitRate / sampleRate + padding) * 4;
    return (layer == 2 && !mpeg1 ? 72 : 144) * bitRate / sampleRate + padding;
}

// Whether MPEG audio frames run through the file at offset: three alike headers in a row.
bool AudioFramesAt(int fd, qint64 offset)
{
    QByteArray chunk(16 * 1024, '\0');
    const ssize_t got = ::pread(fd, chunk.data(), std::size_t(chunk.size()), off_t(offset));
    const auto *bytes = reinterpret_cast<const uchar *>(chunk.constData());
    for (qsizetype at = 0; at + 4 <= got; ++at) {
        qsizetype next = at;
        int found = 0;
        while (found < 3 && next + 4 <= got) {
            const int length = MpegAudioFrameLength(bytes + next);
            if (length < 4 ||
                (found > 0 &&
                 ((bytes[next + 1] ^ bytes[at + 1]) & 0xFE ||
                  (bytes[next + 2] ^ bytes[at + 2]) & 0x0C)))
                break;
            ++found;
            next += length;
        }
        if (found == 3)
            return true;
    }
    return false;
}

// An MPEG audio file's running time comes from a header or from its bit rate and size, both
// read near its start: it holds only when the file has the bytes the header's bit rate needs
// for it (not cut short) and audio frames where its last quarter should be (not followed by
// something else).
bool DurationBorneOut(const AVFormatContext *format, int fd, qint64 size, qint64 durationMs)
{
    qint64 bitRate = 0;
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            bitRate = format->streams[i]->codecpar->bit_rate;
    if (bitRate > 0 && size < durationMs * (bitRate / 8) / 1000 * 9 / 10)
        return false;
    return AudioFramesAt(fd, size * 3 / 4);
}

void ReadStreams(const AVFormatContext *format, MediaFacts &facts)
{
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream *stream = format->streams[i];
        const AVCodecParameters *codec = stream->codecpar;
        if (codec->codec_type == AVMEDIA_TYPE_VIDEO && facts.videoCodec.isEmpty() &&
            !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            facts.videoCodec = QString::fromUtf8(avcodec_get_name(codec->codec_id));
            if (const char *profile = avcodec_profile_name(codec->codec_id, codec->profile))
                facts.profile = QString::fromUtf8(profile);
            facts.width = codec->width;
            facts.height = codec->height;
            const AVRational rate = av_guess_frame_rate(const_cast<AVFormatContext *>(format),
                                                        const_cast<AVStream *>(stream), nullptr);
            facts.frameRate = rate.den > 0 ? av_q2d(rate) : 0;
            // MPEG-1 and MPEG-2 video mark a variable rate with the largest rate code; the
            // container's rate says more then.
            constexpr int64_t VariableMpegRate = 0x3FFFF * 400;
            if (codec->bit_rate > 0 && codec->bit_rate != VariableMpegRate)
                facts.bitRate = codec->bit_rate;
        } else if (codec->codec_type == AVMEDIA_TYPE_AUDIO && facts.audioCodec.isEmpty()) {
            facts.audioCodec = QString::fromUtf8(avcodec_get_name(codec->codec_id));
            facts.sampleRate = codec->sample_rate;
            facts.channels = codec->ch_layout.nb_channels;
            if (codec->codec_id == AV_CODEC_ID_MP1)
                facts.mp3Layer = 1;
            else if (codec->codec_id == AV_CODEC_ID_MP2)
                facts.mp3Layer = 2;
            else if (codec->codec_id == AV_CODEC_ID_MP3)
                facts.mp3Layer = 3;
        }
    }
}

ProbeResult Failed(const QString &why)
{
    ProbeResult result;
    result.reason = why;
    return result;
}

} // namespace

ProbeResult ReadMediaFacts(const QString &path, int timeLimitMs)
{
    MediaInput input(ProbeReadLimit, timeLimitMs);
    if (!input.open(path)) {
        ProbeResult result = Failed(input.failure());
        if (input.missing())
            result.outcome = ProbeOutcome::NotFound;
        return result;
    }
    AVFormatContext *format = input.format();
    const int error = avformat_find_stream_info(format, nullptr);
    if (input.timedOut || error < 0)
        return Failed(input.failure(error));
    ProbeResult result;
    MediaFacts &facts = result.facts;
    facts.container = QString::fromUtf8(format->iformat->name);
    ReadStreams(format, facts);
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        facts.durationMs = format->duration / (AV_TIME_BASE / 1000);
    if (facts.bitRate == 0 && format->bit_rate > 0)
        facts.bitRate = format->bit_rate;
    // A figure the file does not bear out is no running time: "duration unknown", not a guess.
    if (facts.container == QLatin1String("mp3") && facts.durationMs > 0 &&
        !DurationBorneOut(format, input.fd(), input.size, facts.durationMs))
        facts.durationMs = -1;
    facts.picture = IsPictureContainer(facts.container);
    if (facts.picture) {
        facts.durationMs = -1;
        if (facts.videoCodec == QLatin1String("mjpeg"))
            ReadJpegFrame(input.fd(), facts);
    }
    if (facts.videoCodec.isEmpty() && facts.audioCodec.isEmpty())
        return Failed(QStringLiteral("no video or audio stream"));
    if (!facts.videoCodec.isEmpty() && (facts.width <= 0 || facts.height <= 0))
        return Failed(QStringLiteral("no picture could be decoded"));
    if (facts.videoCodec.isEmpty() && facts.sampleRate <= 0)
        return Failed(QStringLiteral("no sound could be decoded"));
    result.outcome = ProbeOutcome::Read;
    return result;
}

bool IsPictureContainer(const QString &container)
{
    return container.endsWith(QLatin1String("_pipe")) || container == QLatin1String("image2");
}

} // namespace nerav
