#pragma once

// What the entry editor shows of the file an entry names: the file itself, found by the media
// library (subfolders and ASCII case ignored) or chosen with Browse, its facts, its thumbnail
// and what the player profile makes of it. LookAtMedia reads the disk and decodes; it shares
// nothing with the caller, so it runs on any thread.

#include "MediaFacts.h"
#include "MediaLibrary.h"
#include "MediaThumbnail.h"

#include <QSize>
#include <QString>

#include <optional>

namespace nerav {

struct MediaLookRequest
{
    QString name; // the entry's file name, trimmed
    QString path; // the file chosen with Browse; empty: the name is looked for
    MediaPlace place;
    QSize thumbnailBound;
};

struct MediaLook
{
    QString name;
    QString path; // empty when no file has the name
    int sameNamed = 0; // how many files in the media folder have the name
    qint64 fileBytes = -1;
    ProbeResult probed;
    ThumbnailResult thumbnail;
    std::optional<MediaCheck> check; // none for a file read while the profile cannot be read
    QString profileProblem; // why the profile cannot be read, when there is no check
};

MediaLook LookAtMedia(const MediaLookRequest &request);

} // namespace nerav
