#include "RowFormat.h"

#include "ScheduleTexts.h"

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

QString EntryFileName(const ScheduleEntry &entry)
{
    QString name;
    appendBytes(name, entry.fileName);
    name.append(QLatin1Char('.'));
    appendBytes(name, entry.fileExt);
    return name;
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

static QString text(const std::string &digits)
{
    return QString::fromStdString(digits);
}

// A foreign value wider than its field keeps two spaces before the next column.
static QString padTo(const QString &text, int width)
{
    return text + spaces(qMax(2, width - int(text.size())));
}

QString FormatAdvanceRow(const AdvanceSchedule &schedule, const CaptionTable &captions)
{
    return padTo(FormatWindowStart(schedule), AdvanceStopColumn - AdvanceStartColumn) +
            padTo(FormatWindowStop(schedule), AdvanceWeekDayColumn - AdvanceStopColumn) +
            captions.weekDayName(schedule.weekDay);
}

QString DescribeEntryRow(const ScheduleEntry &entry, const CaptionTable &captions)
{
    const QString volume =
            entry.volume == DefaultVolume ? captions.defaultVolume : QString::number(entry.volume);
    return captions.playTimesHeading + u' ' + QString::number(entry.playTimes) +
            QStringLiteral(", ") + captions.volumeHeading + u' ' + volume;
}

QStringList DescribeAdvanceWindow(const AdvanceSchedule &schedule, const CaptionTable &captions)
{
    const AdvanceSchedule &s = schedule;
    return {captions.startDayHeading + u' ' + text(StartDateText(s)) + u' ' +
                    text(StartTimeText(s)),
            captions.stopDayHeading + u' ' + text(StopDateText(s)) + u' ' + text(StopTimeText(s)),
            captions.weekDayHeading + u' ' + captions.weekDayName(s.weekDay),
            captions.entryCountHeading + u' ' + QString::number(s.detailCount())};
}

QString FormatWindowStart(const AdvanceSchedule &s)
{
    return text(StartDateText(s)) + u' ' + text(StartTimeText(s));
}

QString FormatWindowStop(const AdvanceSchedule &s)
{
    return text(StopDateText(s)) + u' ' + text(StopTimeText(s));
}

} // namespace nerav
