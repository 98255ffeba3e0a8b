#include "ScheduleFile.h"

// Placeholder until the codec lands.
namespace nerav {
ScheduleFileResult WriteScheduleFile(const QString &, const QString &, const ScheduleDocument &,
        RandomReal &)
{
    return { false, QStringLiteral("not implemented") };
}
ScheduleFileResult ReadScheduleFile(const QString &, const QString &, ScheduleDocument &)
{
    return { false, QStringLiteral("not implemented") };
}
} // namespace nerav
