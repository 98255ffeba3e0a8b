#include "MediaLook.h"

#include "MediaProbe.h"
#include "PublishPlan.h"

#include <QFileInfo>

namespace nerav {

MediaLook LookAtMedia(const MediaLookRequest &request)
{
    MediaLook look;
    look.name = request.name;
    look.path = request.path;
    if (look.path.isEmpty() && !request.name.isEmpty()) {
        const QString key = AsciiLower(request.name);
        const QStringList found =
                FindOriginals(request.mediaFolder, QString(), {{key, 0}}).value(key);
        look.sameNamed = int(found.size());
        look.path = found.value(0);
    } else if (!look.path.isEmpty()) {
        look.sameNamed = 1;
    }
    look.probed.outcome = ProbeOutcome::NotFound;
    if (look.path.isEmpty())
        return look;
    look.probed = ProbeMedia(look.path);
    if (look.probed.outcome == ProbeOutcome::NotFound)
        return look;
    look.fileBytes = QFileInfo(look.path).size();
    if (look.probed)
        look.thumbnail = MediaThumbnail(look.path, request.thumbnailBound);
    look.profile = ReadPlayerProfile(request.profilePath);
    return look;
}

} // namespace nerav
