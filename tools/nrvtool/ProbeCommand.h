#pragma once

// nrvtool probe: what each media file of a schedule is, whether the player profile says it
// plays, and how long each list runs.

#include <QStringList>
#include <QTextStream>

namespace nerav {

// arguments start after the command's name. Returns 0 when every file plays, 1 when some may
// not, cannot be read or are missing (or the schedule or profile cannot be read), 2 on usage.
int ProbeCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace nerav
