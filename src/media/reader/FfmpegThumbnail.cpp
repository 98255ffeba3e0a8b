#include "FfmpegProbe.h"
#include "MediaInput.h"
#include "MediaProbe.h"
#include "MediaThumbnail.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <unistd.h>

namespace nerav {

namespace {

ThumbnailResult Failed(const QString &why)
{
    ThumbnailResult result;
    result.reason = why;
    return result;
}

ThumbnailResult Made(const QImage &image)
{
    ThumbnailResult result;
    result.outcome = ThumbnailOutcome::Made;
    result.image = image;
    return result;
}

bool TooLarge(qint64 width, qint64 height)
{
    return width * height > ThumbnailLargestSource;
}

QString SizeText(qint64 width, qint64 height)
{
    return QStringLiteral("%1×%2").arg(width).arg(height);
}

// The size that fits into bound with the shape kept; a source that fits already keeps its size.
QSize FitInto(const QSize &shown, const QSize &bound)
{
    if (shown.width() <= bound.width() && shown.height() <= bound.height())
        return shown;
    return shown.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// Qt's reader leaves many a damaged picture at "Unknown error".
QString PictureProblem(const QImageReader &reader)
{
    if (reader.error() == QImageReader::UnknownError)
        return QStringLiteral("the picture cannot be decoded");
    return reader.errorString();
}

ThumbnailResult PictureThumbnail(const MediaInput &input, const QSize &bound)
{
    if (input.size > ProbeReadLimit)
        return Failed(QStringLiteral("the picture is larger than %1 bytes").arg(ProbeReadLimit));
    QByteArray bytes(input.size, '\0');
    qint64 total = 0;
    while (total < input.size) {
        const ssize_t got = ::pread(input.fd(), bytes.data() + total,
                                    std::size_t(input.size - total), off_t(total));
        if (got <= 0)
            break;
        total += got;
    }
    bytes.truncate(total);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The allocation Qt allows for a picture matches the largest source taken here.
    reader.setAllocationLimit(int(ThumbnailLargestSource * 4 / (1024 * 1024)));
    const QSize source = reader.size();
    if (!source.isValid())
        return Failed(PictureProblem(reader));
    if (TooLarge(source.width(), source.height()))
        return Failed(QStringLiteral("the picture's size %1 is too large")
                              .arg(SizeText(source.width(), source.height())));
    reader.setScaledSize(FitInto(source, bound));
    const QImage image = reader.read();
    if (image.isNull())
        return Failed(PictureProblem(reader));
    return Made(image);
}

// The decoder of one video stream with its frames, freed on the way out.
struct Decoder
{
    ~Decoder()
    {
        sws_freeContext(scaler);
        av_frame_free(&scaled);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
    }

    AVCodecContext *codec = nullptr;
    AVPacket *packet = nullptr;
    AVFrame *frame = nullptr;
    AVFrame *scaled = nullptr;
    SwsContext *scaler = nullptr;
};

// Reads packets until the decoder gives its first frame; 0 when it did, an FFmpeg error else.
int DecodeFirstFrame(MediaInput &input, int streamIndex, Decoder &d)
{
    int error = 0;
    while (!input.pastDeadline()) {
        error = av_read_frame(input.format(), d.packet);
        if (error < 0)
            break;
        if (d.packet->stream_index == streamIndex) {
            // A damaged packet is passed over; a later one may still give a picture.
            avcodec_send_packet(d.codec, d.packet);
            if (avcodec_receive_frame(d.codec, d.frame) == 0) {
                av_packet_unref(d.packet);
                return 0;
            }
        }
        av_packet_unref(d.packet);
    }
    if (input.pastDeadline())
        return AVERROR_EXIT;
    // The frames the decoder still holds.
    avcodec_send_packet(d.codec, nullptr);
    if (avcodec_receive_frame(d.codec, d.frame) == 0)
        return 0;
    return error;
}

// The frame as it is shown: its width stretched by the sample aspect ratio, within bounds.
QSize ShownSize(AVFormatContext *format, AVStream *stream, const AVFrame *frame)
{
    const AVRational sar =
            av_guess_sample_aspect_ratio(format, stream, const_cast<AVFrame *>(frame));
    double width = frame->width;
    if (sar.num > 0 && sar.den > 0)
        width = std::clamp(width * sar.num / sar.den, width / 4, width * 4);
    return QSize(std::max(1, int(width + 0.5)), frame->height);
}

ThumbnailResult VideoThumbnail(MediaInput &input, const QSize &bound)
{
    AVFormatContext *format = input.format();
    int error = avformat_find_stream_info(format, nullptr);
    if (input.timedOut || error < 0)
        return Failed(input.failure(error));
    AVStream *stream = nullptr;
    bool sound = false;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        AVStream *candidate = format->streams[i];
        const AVMediaType type = candidate->codecpar->codec_type;
        if (type == AVMEDIA_TYPE_VIDEO && !stream &&
            !(candidate->disposition & AV_DISPOSITION_ATTACHED_PIC))
            stream = candidate;
        sound = sound || type == AVMEDIA_TYPE_AUDIO;
    }
    if (!stream) {
        if (!sound)
            return Failed(QStringLiteral("no video or audio stream"));
        ThumbnailResult result;
        result.outcome = ThumbnailOutcome::NoPicture;
        return result;
    }
    const AVCodecParameters *parameters = stream->codecpar;
    if (TooLarge(parameters->width, parameters->height))
        return Failed(QStringLiteral("the frame size %1 is too large")
                              .arg(SizeText(parameters->width, parameters->height)));
    const AVCodec *found = avcodec_find_decoder(parameters->codec_id);
    if (!found)
        return Failed(QStringLiteral("no decoder for %1")
                              .arg(QString::fromUtf8(avcodec_get_name(parameters->codec_id))));
    Decoder d;
    d.codec = avcodec_alloc_context3(found);
    d.packet = av_packet_alloc();
    d.frame = av_frame_alloc();
    d.scaled = av_frame_alloc();
    if (!d.codec || !d.packet || !d.frame || !d.scaled)
        return Failed(QStringLiteral("out of memory"));
    // One thread: the first frame comes out at once, and no threads outlive a failure.
    d.codec->thread_count = 1;
    if ((error = avcodec_parameters_to_context(d.codec, parameters)) < 0 ||
        (error = avcodec_open2(d.codec, found, nullptr)) < 0)
        return Failed(input.failure(error));
    error = DecodeFirstFrame(input, stream->index, d);
    if (error == AVERROR_EOF)
        return Failed(QStringLiteral("no picture could be decoded"));
    if (error < 0)
        return Failed(input.failure(error));
    const AVFrame *frame = d.frame;
    if (frame->width <= 0 || frame->height <= 0 || TooLarge(frame->width, frame->height))
        return Failed(QStringLiteral("the frame size %1 cannot be shown")
                              .arg(SizeText(frame->width, frame->height)));

    const QSize size = FitInto(ShownSize(format, stream, frame), bound);
    d.scaler =
            sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), size.width(),
                           size.height(), AV_PIX_FMT_RGB32, SWS_AREA, nullptr, nullptr, nullptr);
    if (!d.scaler)
        return Failed(QStringLiteral("the frame's pixel format cannot be converted"));
    // Scaled into FFmpeg's own aligned buffer, then copied row by row into the image.
    d.scaled->format = AV_PIX_FMT_RGB32;
    d.scaled->width = size.width();
    d.scaled->height = size.height();
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull() || av_frame_get_buffer(d.scaled, 0) < 0)
        return Failed(QStringLiteral("out of memory"));
    sws_scale(d.scaler, frame->data, frame->linesize, 0, frame->height, d.scaled->data,
              d.scaled->linesize);
    const std::size_t rowBytes = std::size_t(size.width()) * 4;
    for (int y = 0; y < size.height(); ++y)
        std::copy_n(d.scaled->data[0] + std::ptrdiff_t(y) * d.scaled->linesize[0], rowBytes,
                    image.scanLine(y));
    return Made(image);
}

} // namespace

ThumbnailResult MakeThumbnail(const QString &path, const QSize &bound, int timeLimitMs)
{
    if (bound.width() <= 0 || bound.height() <= 0)
        return Failed(QStringLiteral("no room for a picture"));
    MediaInput input(ProbeReadLimit, timeLimitMs);
    if (!input.open(path))
        return Failed(input.failure());
    if (IsPictureContainer(QString::fromUtf8(input.format()->iformat->name)))
        return PictureThumbnail(input, bound);
    return VideoThumbnail(input, bound);
}

} // namespace nerav
