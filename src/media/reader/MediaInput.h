#pragma once

// A media file opened for FFmpeg's demuxers the safe way: only a regular file is opened (a FIFO
// or device is refused without waiting), at most readLimit bytes are read, and every read stops
// once the time limit has passed, so a damaged or endless input cannot hang the caller. Shared
// by the probe and the thumbnail; one object per file, on one thread.

#include <QString>

#include <chrono>

struct AVFormatContext;
struct AVIOContext;

namespace nerav {

class MediaInput
{
public:
    MediaInput(qint64 readLimit, int timeLimitMs);
    ~MediaInput();
    MediaInput(const MediaInput &) = delete;
    MediaInput &operator=(const MediaInput &) = delete;

    // Opens the file and its demuxer; false with failure() and missing() telling why.
    bool open(const QString &path);
    // The same for a descriptor already open for reading, taken over (closed with this object);
    // how a test feeds a slow source.
    bool openDescriptor(int fd, qint64 fileSize);

    AVFormatContext *format() const { return m_format; }
    int fd() const { return m_fd; }
    // Why open failed, or why a later step failed when given its FFmpeg error: the time limit,
    // FFmpeg's own words.
    QString failure() const { return m_failure; }
    QString failure(int error) const;
    // The file does not exist (open failed).
    bool missing() const { return m_missing; }
    bool pastDeadline() const;

    // What the reading callbacks share.
    qint64 size = 0;
    qint64 bytesRead = 0;
    qint64 readLimit;
    bool timedOut = false;

private:
    std::chrono::steady_clock::time_point m_deadline;
    int m_timeLimitMs;
    int m_fd = -1;
    AVIOContext *m_io = nullptr;
    AVFormatContext *m_format = nullptr;
    QString m_failure;
    bool m_missing = false;
};

} // namespace nerav
