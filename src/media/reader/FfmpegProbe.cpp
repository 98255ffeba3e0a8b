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
