#include "MediaLook.h"

#include <QFileInfo>

namespace nerav {

MediaLook LookAtMedia(const MediaLookRequest &request)
{
    MediaLibrary library(request.place);
    MediaLook look;
    look.name = request.name;
    look.path = request.path;
    if (look.path.isEmpty() && !request.name.isEmpty()) {
        const QStringList found = library.find(request.name);
        look.sameNamed = int(found.size());
        look.path = found.value(0);
    } else if (!look.path.isEmpty()) {
        look.sameNamed = 1;
    }
    look.probed.outcome = ProbeOutcome::NotFound;
    if (!look.path.isEmpty())
        look.probed = library.probe(look.path);
    if (look.probed.outcome != ProbeOutcome::NotFound) {
        look.fileBytes = QFileInfo(look.path).size();
        if (look.probed)
            look.thumbnail = MediaThumbnail(look.path, request.thumbnailBound);
    }
    look.check = library.judge(look.name, look.probed);
    if (!look.check)
        look.profileProblem = library.profile().reason;
    return look;
}

} // namespace nerav
