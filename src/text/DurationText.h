#pragma once

#include <QString>

namespace nerav {

// A running time as the publish dialog shows it, to the nearest second: "m:ss" under an hour,
// "h:mm:ss" from an hour on. Empty for an unknown (negative) time.
inline QString DurationText(qint64 milliseconds)
{
    if (milliseconds < 0)
        return QString();
    const qint64 seconds = (milliseconds + 500) / 1000;
    if (seconds < 3600)
        return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace nerav
