#include "RowFormat.h"

namespace nerav {

// Appends the non-zero bytes as characters (single-byte codes shown as Latin-1) and returns how
// many zero bytes were skipped.
template<std::size_t N>
static int appendBytes(QString &text, const std::array<std::uint8_t, N> &bytes)
{
    int skipped = 0;
    for (std::uint8_t byte : bytes) {
        if (byte == 0)
            ++skipped;
        else
            text.append(QChar(byte));
    }
    return skipped;
}

static QString spaces(int count)
{
    return QString(count, QLatin1Char(' '));
}

QString FormatEntryRow(const ScheduleEntry &entry, const CaptionTable &captions)
{
    QString row;
    int pad = appendBytes(row, entry.fileName);
    row.append(QLatin1Char('.'));
    pad += appendBytes(row, entry.fileExt);
    row.append(spaces(pad + 5));

    const QString playTimes = QString::number(entry.playTimes);
    row.append(playTimes);
    row.append(spaces(qMax(0, 3 - int(playTimes.size()))));

    if (entry.volume == DefaultVolume)
        row.append(spaces(5) + captions.defaultVolume);
    else
        row.append(spaces(8) + QString::number(entry.volume));
    return row;
}

static QString formatDate(std::uint8_t year, std::uint8_t month, std::uint8_t day)
{
    return QStringLiteral("%1/%2/%3")
            .arg(int(year) + 2000)
            .arg(int(month), 2, 10, QLatin1Char('0'))
            .arg(int(day), 2, 10, QLatin1Char('0'));
}

QString FormatAdvanceRow(const AdvanceSchedule &schedule, const CaptionTable &captions)
{
    return formatDate(schedule.startYear, schedule.startMonth, schedule.startDay) + spaces(3) +
            formatDate(schedule.stopYear, schedule.stopMonth, schedule.stopDay) + spaces(3) +
            captions.weekDayName(schedule.weekDay);
}

QString DescribeEntryRow(const ScheduleEntry &entry, const CaptionTable &captions)
{
    const QString volume =
            entry.volume == DefaultVolume ? captions.defaultVolume : QString::number(entry.volume);
    return captions.playTimesHeading + u' ' + QString::number(entry.playTimes) +
            QStringLiteral(", ") + captions.volumeHeading + u' ' + volume;
}

static QString formatTime(std::uint8_t hour, std::uint8_t minute, std::uint8_t second)
{
    return QStringLiteral("%1:%2:%3")
            .arg(int(hour), 2, 10, QLatin1Char('0'))
            .arg(int(minute), 2, 10, QLatin1Char('0'))
            .arg(int(second), 2, 10, QLatin1Char('0'));
}

QStringList DescribeAdvanceWindow(const AdvanceSchedule &schedule, const CaptionTable &captions)
{
    const AdvanceSchedule &s = schedule;
    return {captions.startDayHeading + u' ' + formatDate(s.startYear, s.startMonth, s.startDay) +
                    u' ' + formatTime(s.startHour, s.startMinute, s.startSecond),
            captions.stopDayHeading + u' ' + formatDate(s.stopYear, s.stopMonth, s.stopDay) + u' ' +
                    formatTime(s.stopHour, s.stopMinute, s.stopSecond),
            captions.weekDayHeading + u' ' + captions.weekDayName(s.weekDay),
            captions.entryCountHeading + u' ' + QString::number(s.detailCount())};
}

QString FormatWindowStart(const AdvanceSchedule &s)
{
    return formatDate(s.startYear, s.startMonth, s.startDay) + u' ' +
            formatTime(s.startHour, s.startMinute, s.startSecond);
}

QString FormatWindowStop(const AdvanceSchedule &s)
{
    return formatDate(s.stopYear, s.stopMonth, s.stopDay) + u' ' +
            formatTime(s.stopHour, s.stopMinute, s.stopSecond);
}

} // namespace nerav
