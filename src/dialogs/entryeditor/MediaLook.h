#pragma once

// What the entry editor shows of the file an entry names: the file itself, found in the media
// folder (subfolders and ASCII case ignored) or chosen with Browse, its facts, its thumbnail
// and the player profile it is checked with. LookAtMedia reads the disk and decodes; it shares
// nothing with the caller, so it runs on any thread.

#include "MediaFacts.h"
#include "MediaThumbnail.h"
#include "PlayerProfile.h"

#include <QSize>
#include <QString>

namespace nerav {

struct MediaLookRequest
{
    QString name; // the entry's file name, trimmed
    QString path; // the file chosen with Browse; empty: the name is looked for
    QString mediaFolder;
    QString profilePath;
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
    ProfileResult profile;
};

MediaLook LookAtMedia(const MediaLookRequest &request);

} // namespace nerav
