#include "FfmpegProbe.h"
#include "MediaProbe.h"

#include "FileCopier.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
}

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nerav {

namespace {

using Clock = std::chrono::steady_clock;

// What the reading callbacks share: the file, how much was read and when to stop.
struct Source
{
    int fd = -1;
    qint64 size = 0;
    qint64 bytesRead = 0;
    Clock::time_point deadline;
    bool timedOut = false;
};

int ReadPacket(void *opaque, uint8_t *buffer, int size)
{
    auto *source = static_cast<Source *>(opaque);
    if (source->bytesRead >= ProbeReadLimit)
        return AVERROR_EOF;
    const qint64 allowed = std::min<qint64>(size, ProbeReadLimit - source->bytesRead);
    const ssize_t got = ::read(source->fd, buffer, std::size_t(allowed));
    if (got < 0)
        return AVERROR(errno);
    if (got == 0)
        return AVERROR_EOF;
    source->bytesRead += got;
    return int(got);
}

int64_t SeekTo(void *opaque, int64_t offset, int whence)
{
    auto *source = static_cast<Source *>(opaque);
    if (whence == AVSEEK_SIZE)
        return source->size;
    const off_t at = ::lseek(source->fd, off_t(offset), whence & ~AVSEEK_FORCE);
    return at < 0 ? AVERROR(errno) : int64_t(at);
}

int Interrupted(void *opaque)
{
    auto *source = static_cast<Source *>(opaque);
    if (Clock::now() >= source->deadline)
        source->timedOut = true;
    return source->timedOut ? 1 : 0;
}

QString AvErrorText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::fromUtf8(text);
}

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
            if (codec->bit_rate > 0)
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
    Source source;
    source.deadline = Clock::now() + std::chrono::milliseconds(timeLimitMs);
    QString reason;
    source.fd = OpenRegularFile(path, reason);
    if (source.fd < 0) {
        ProbeResult result = Failed(reason);
        struct stat status;
        if (::stat(QFile::encodeName(path).constData(), &status) != 0 && errno == ENOENT)
            result.outcome = ProbeOutcome::NotFound;
        return result;
    }
    struct stat status;
    ::fstat(source.fd, &status);
    source.size = status.st_size;
    // The descriptor was opened without waiting; reads of a regular file block as usual.
    ::fcntl(source.fd, F_SETFL, ::fcntl(source.fd, F_GETFL) & ~O_NONBLOCK);

    av_log_set_level(AV_LOG_QUIET);
    constexpr int BufferSize = 64 * 1024;
    auto *buffer = static_cast<unsigned char *>(av_malloc(BufferSize));
    AVIOContext *io =
            avio_alloc_context(buffer, BufferSize, 0, &source, ReadPacket, nullptr, SeekTo);
    AVFormatContext *format = avformat_alloc_context();
    ProbeResult result;
    if (!io || !format) {
        result = Failed(QStringLiteral("out of memory"));
    } else {
        format->pb = io;
        format->flags |= AVFMT_FLAG_CUSTOM_IO;
        format->interrupt_callback = {Interrupted, &source};
        int error = avformat_open_input(&format, nullptr, nullptr, nullptr);
        if (error >= 0)
            error = avformat_find_stream_info(format, nullptr);
        if (source.timedOut) {
            result = Failed(QStringLiteral("it was still unread after %1 ms").arg(timeLimitMs));
        } else if (error < 0) {
            result = Failed(AvErrorText(error));
        } else {
            MediaFacts &facts = result.facts;
            facts.container = QString::fromUtf8(format->iformat->name);
            ReadStreams(format, facts);
            if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
                facts.durationMs = format->duration / (AV_TIME_BASE / 1000);
            if (facts.bitRate == 0 && format->bit_rate > 0)
                facts.bitRate = format->bit_rate;
            facts.picture = facts.container.endsWith(QLatin1String("_pipe")) ||
                    facts.container == QLatin1String("image2");
            if (facts.picture) {
                facts.durationMs = -1;
                if (facts.videoCodec == QLatin1String("mjpeg"))
                    ReadJpegFrame(source.fd, facts);
            }
            if (facts.videoCodec.isEmpty() && facts.audioCodec.isEmpty())
                result = Failed(QStringLiteral("no video or audio stream"));
            else if (!facts.videoCodec.isEmpty() && (facts.width <= 0 || facts.height <= 0))
                result = Failed(QStringLiteral("no picture could be decoded"));
            else if (facts.videoCodec.isEmpty() && facts.sampleRate <= 0)
                result = Failed(QStringLiteral("no sound could be decoded"));
            else
                result.outcome = ProbeOutcome::Read;
        }
    }
    if (format)
        avformat_close_input(&format);
    if (io) {
        av_freep(&io->buffer);
        avio_context_free(&io);
    } else {
        av_free(buffer);
    }
    ::close(source.fd);
    return result;
}

} // namespace nerav
