#include "MediaMaker.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
}

#include <QFile>

namespace nerav {

namespace {

// One output file with one stream; frees everything on the way out.
class Output
{
public:
    ~Output()
    {
        avcodec_free_context(&codec);
        av_frame_free(&frame);
        av_packet_free(&packet);
        if (format && format->pb)
            avio_closep(&format->pb);
        avformat_free_context(format);
    }

    QString open(const QString &path, const char *muxer, const char *encoderName)
    {
        av_log_set_level(AV_LOG_ERROR); // no notes about buffer sizes in the test's output
        const AVCodec *encoder = avcodec_find_encoder_by_name(encoderName);
        if (!encoder)
            return QStringLiteral("no %1 encoder").arg(QLatin1String(encoderName));
        const QByteArray name = QFile::encodeName(path);
        if (avformat_alloc_output_context2(&format, nullptr, muxer, name.constData()) < 0)
            return QStringLiteral("no %1 muxer").arg(QLatin1String(muxer));
        stream = avformat_new_stream(format, nullptr);
        codec = avcodec_alloc_context3(encoder);
        frame = av_frame_alloc();
        packet = av_packet_alloc();
        if (avio_open(&format->pb, name.constData(), AVIO_FLAG_WRITE) < 0)
            return QStringLiteral("cannot write %1").arg(path);
        return QString();
    }

    QString start()
    {
        if (format->oformat->flags & AVFMT_GLOBALHEADER)
            codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(codec, nullptr, nullptr) < 0)
            return QStringLiteral("the encoder did not open");
        avcodec_parameters_from_context(stream->codecpar, codec);
        stream->time_base = codec->time_base;
        if (avformat_write_header(format, nullptr) < 0)
            return QStringLiteral("the header was not written");
        return QString();
    }

    // Sends frame (nullptr: the end) and writes what the encoder gives back.
    bool send(AVFrame *input)
    {
        if (avcodec_send_frame(codec, input) < 0)
            return false;
        while (avcodec_receive_packet(codec, packet) == 0) {
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (av_interleaved_write_frame(format, packet) < 0)
                return false;
        }
        return true;
    }

    QString finish()
    {
        if (!send(nullptr) || av_write_trailer(format) < 0)
            return QStringLiteral("the file was not finished");
        return QString();
    }

    AVFormatContext *format = nullptr;
    AVStream *stream = nullptr;
    AVCodecContext *codec = nullptr;
    AVFrame *frame = nullptr;
    AVPacket *packet = nullptr;
};

} // namespace

bool HasEncoder(const char *name)
{
    return avcodec_find_encoder_by_name(name) != nullptr;
}

QString MakeVideo(const QString &path, const VideoRecipe &recipe)
{
    Output out;
    QString problem = out.open(path, recipe.muxer, recipe.codec);
    if (!problem.isEmpty())
        return problem;
    AVCodecContext *c = out.codec;
    c->width = recipe.width;
    c->height = recipe.height;
    c->time_base = AVRational {1, recipe.fps};
    c->framerate = AVRational {recipe.fps, 1};
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->gop_size = 12;
    c->bit_rate = 400000;
    if (c->codec_id == AV_CODEC_ID_H264)
        av_opt_set(c->priv_data, "preset", "ultrafast", 0);
    problem = out.start();
    if (!problem.isEmpty())
        return problem;
    AVFrame *frame = out.frame;
    frame->format = c->pix_fmt;
    frame->width = c->width;
    frame->height = c->height;
    if (av_frame_get_buffer(frame, 0) < 0)
        return QStringLiteral("no frame buffer");
    for (int i = 0; i < recipe.frames; ++i) {
        av_frame_make_writable(frame);
        // A moving gradient, so every frame differs.
        for (int y = 0; y < c->height; ++y)
            for (int x = 0; x < c->width; ++x)
                frame->data[0][y * frame->linesize[0] + x] = uint8_t(x + y + i * 3);
        for (int plane = 1; plane < 3; ++plane)
            for (int y = 0; y < c->height / 2; ++y)
                for (int x = 0; x < c->width / 2; ++x)
                    frame->data[plane][y * frame->linesize[plane] + x] =
                            uint8_t(128 + plane * 20 + i);
        frame->pts = i;
        if (!out.send(frame))
            return QStringLiteral("a frame was not encoded");
    }
    return out.finish();
}

QString MakeAudio(const QString &path, const AudioRecipe &recipe)
{
    Output out;
    // The mp3 muxer takes layer III only; layer II has its own.
    const bool layer2 = QLatin1String(recipe.codec) == QLatin1String("mp2");
    QString problem = out.open(path, layer2 ? "mp2" : "mp3", recipe.codec);
    if (!problem.isEmpty())
        return problem;
    AVCodecContext *c = out.codec;
    c->sample_rate = recipe.sampleRate;
    c->time_base = AVRational {1, recipe.sampleRate};
    c->bit_rate = 64000;
    av_channel_layout_default(&c->ch_layout, 1);
    // The encoder's own sample format: planar float for LAME, interleaved 16 bit for MP2.
    c->sample_fmt = c->codec->sample_fmts ? c->codec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
    problem = out.start();
    if (!problem.isEmpty())
        return problem;
    AVFrame *frame = out.frame;
    frame->format = c->sample_fmt;
    frame->nb_samples = c->frame_size;
    frame->sample_rate = c->sample_rate;
    av_channel_layout_copy(&frame->ch_layout, &c->ch_layout);
    if (av_frame_get_buffer(frame, 0) < 0)
        return QStringLiteral("no frame buffer");
    const qint64 total = qint64(recipe.sampleRate) * recipe.milliseconds / 1000;
    for (qint64 at = 0; at < total; at += c->frame_size) {
        av_frame_make_writable(frame);
        // Silence of whichever sample format the encoder takes.
        av_samples_set_silence(frame->data, 0, frame->nb_samples, 1, c->sample_fmt);
        frame->pts = at;
        if (!out.send(frame))
            return QStringLiteral("a frame was not encoded");
    }
    return out.finish();
}

} // namespace nerav
