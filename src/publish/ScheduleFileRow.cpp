#include "ScheduleFileRow.h"

#include "ScheduleFile.h"

#include <QDir>
#include <QFileInfo>

namespace nerav {

ScheduleFileState ScheduleFileOnMedium(const ScheduleDocument &document,
                                       const QString &mediumFolder, const QString &scheduleName)
{
    if (mediumFolder.isEmpty() || scheduleName.isEmpty())
        return ScheduleFileState::Missing;
    const QFileInfo file(QDir(mediumFolder).filePath(scheduleName));
    if (!file.exists() && !file.isSymLink())
        return ScheduleFileState::Missing;
    // A link or special file under the name is the check's problem; it is never read.
    if (file.isSymLink() || !file.isFile())
        return ScheduleFileState::Changed;
    ScheduleDocument onMedium;
    if (!ReadScheduleFile(file.filePath(), onMedium))
        return ScheduleFileState::Changed;
    return onMedium.SameContentAs(document) ? ScheduleFileState::Unchanged
                                            : ScheduleFileState::Changed;
}

} // namespace nerav
