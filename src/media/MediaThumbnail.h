#pragma once

// A small picture of a media file: the first frame of a video, or a JPEG picture itself, scaled
// to fit a bound with its shape kept. As safe as ProbeMedia: only a regular file is opened, the
// bytes read and the picture's size are bounded and the work stops after the time limit. A
// plain function, callable from any thread.

#include <QImage>
#include <QSize>
#include <QString>

namespace nerav {

// The largest picture or video frame a thumbnail is made of, in pixels; a larger one (or a file
// that claims one) is refused before anything that large is allocated.
constexpr qint64 ThumbnailLargestSource = 8192 * 8192;

enum class ThumbnailOutcome {
    Made,
    NoPicture, // the file is sound only
    Failed,
};

struct ThumbnailResult
{
    ThumbnailOutcome outcome = ThumbnailOutcome::Failed;
    QImage image; // when made: at most the bound, never larger than the source
    QString reason; // why, when failed

    explicit operator bool() const { return outcome == ThumbnailOutcome::Made; }
};

ThumbnailResult MediaThumbnail(const QString &path, const QSize &bound, int timeLimitMs = 5000);

} // namespace nerav
