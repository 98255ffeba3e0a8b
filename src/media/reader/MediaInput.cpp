#include "MediaInput.h"

#include "FileCopier.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
}

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nerav {

namespace {

// One read asks for at most this much, so a slow medium answers each within the time limit's
// reach and the deadline is looked at between them.
constexpr qint64 LargestRead = 64 * 1024;

int ReadPacket(void *opaque, uint8_t *buffer, int size)
{
    auto *input = static_cast<MediaInput *>(opaque);
    // The demuxers do not all look at the interrupt callback while they read: the budget holds
    // here, for every byte.
    if (input->pastDeadline()) {
        input->timedOut = true;
        return AVERROR_EXIT;
    }
    if (input->bytesRead >= input->readLimit)
        return AVERROR_EOF;
    const qint64 allowed =
            std::min({qint64(size), LargestRead, input->readLimit - input->bytesRead});
    const ssize_t got = ::read(input->fd(), buffer, std::size_t(allowed));
    if (got < 0)
        return AVERROR(errno);
    if (got == 0)
        return AVERROR_EOF;
    input->bytesRead += got;
    return int(got);
}

int64_t SeekTo(void *opaque, int64_t offset, int whence)
{
    auto *input = static_cast<MediaInput *>(opaque);
    if (whence == AVSEEK_SIZE)
        return input->size;
    if (input->pastDeadline()) {
        input->timedOut = true;
        return AVERROR_EXIT;
    }
    const off_t at = ::lseek(input->fd(), off_t(offset), whence & ~AVSEEK_FORCE);
    return at < 0 ? AVERROR(errno) : int64_t(at);
}

int Interrupted(void *opaque)
{
    auto *input = static_cast<MediaInput *>(opaque);
    if (input->pastDeadline())
        input->timedOut = true;
    return input->timedOut ? 1 : 0;
}

QString AvErrorText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::fromUtf8(text);
}

} // namespace

MediaInput::MediaInput(qint64 limit, int timeLimitMs)
    : readLimit(limit),
      m_deadline(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs)),
      m_timeLimitMs(timeLimitMs)
{
}

MediaInput::~MediaInput()
{
    if (m_format)
        avformat_close_input(&m_format);
    if (m_io) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
    if (m_fd >= 0)
        ::close(m_fd);
}

bool MediaInput::pastDeadline() const
{
    return std::chrono::steady_clock::now() >= m_deadline;
}

QString MediaInput::failure(int error) const
{
    if (timedOut || pastDeadline())
        return QStringLiteral("it was still unread after %1 ms").arg(m_timeLimitMs);
    return AvErrorText(error);
}

bool MediaInput::open(const QString &path)
{
    m_fd = OpenRegularFile(path, m_failure);
    if (m_fd < 0) {
        struct stat status;
        m_missing = ::stat(QFile::encodeName(path).constData(), &status) != 0 && errno == ENOENT;
        return false;
    }
    struct stat status;
    ::fstat(m_fd, &status);
    // The descriptor was opened without waiting; reads of a regular file block as usual.
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    return openDescriptor(m_fd, status.st_size);
}

bool MediaInput::openDescriptor(int fd, qint64 fileSize)
{
    m_fd = fd;
    size = fileSize;

    av_log_set_level(AV_LOG_QUIET);
    constexpr int BufferSize = 64 * 1024;
    auto *buffer = static_cast<unsigned char *>(av_malloc(BufferSize));
    if (buffer)
        m_io = avio_alloc_context(buffer, BufferSize, 0, this, ReadPacket, nullptr, SeekTo);
    if (!m_io)
        av_free(buffer);
    m_format = avformat_alloc_context();
    if (!m_io || !m_format) {
        m_failure = QStringLiteral("out of memory");
        return false;
    }
    m_format->pb = m_io;
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    m_format->interrupt_callback = {Interrupted, this};
    const int error = avformat_open_input(&m_format, nullptr, nullptr, nullptr);
    if (error < 0) {
        // avformat_open_input frees the context when it fails.
        m_failure = failure(error);
        return false;
    }
    return true;
}

} // namespace nerav
