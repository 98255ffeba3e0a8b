#include "CalendarTexts.h"

#include "RowFormat.h"
#include "ScheduleTexts.h"

#include <QStringList>
#include <algorithm>

namespace nerav {

namespace {

// A tooltip lists this many of a schedule's files, then how many more there are.
constexpr size_t ToolTipFiles = 12;

} // namespace

CalendarTexts::CalendarTexts(const AppContext &context, const ScheduleDocument &document)
    : m_context(context), m_document(document)
{
}

QLocale CalendarTexts::locale() const
{
    return m_context.text.language == Japanese ? QLocale(QLocale::Japanese, QLocale::Japan)
                                               : QLocale(QLocale::English, QLocale::UnitedStates);
}

QString CalendarTexts::monthTitle(const QDate &month) const
{
    return locale().toString(month, m_context.text.captions.calendarMonthFormat);
}

QString CalendarTexts::weekDayName(int column) const
{
    // Sunday first, as the grid shows the weeks.
    return locale().dayName(column == 0 ? 7 : column);
}

QString CalendarTexts::dayName(const QDate &day, bool inMonth,
                               const std::vector<int> &schedules) const
{
    const CaptionTable &captions = m_context.text.captions;
    const QString date = locale().toString(day, captions.calendarDayFormat);
    if (!inMonth)
        return date;
    QStringList parts;
    for (int index : schedules)
        parts << lineText(index);
    if (parts.isEmpty())
        parts << captions.basicOnlyDay;
    if (schedules.size() >= 2)
        parts << captions.overlapMark;
    return captions.calendarDayName.arg(date, parts.join(QStringLiteral(", ")));
}

QString CalendarTexts::scheduleToolTip(int index) const
{
    if (index < 0 || index >= m_document.advanceCount())
        return QString();
    const AdvanceSchedule &schedule = m_document.advanceSchedules[size_t(index)];
    const CaptionTable &captions = m_context.text.captions;
    QStringList lines {QStringLiteral("#%1").arg(index + 1)};
    lines += DescribeAdvanceWindow(schedule, captions);
    const size_t listed = std::min(schedule.details.size(), ToolTipFiles);
    for (size_t file = 0; file < listed; ++file)
        lines << EntryFileName(schedule.details[file]);
    if (schedule.details.size() > listed)
        lines << captions.calendarMore.arg(int(schedule.details.size() - listed));
    return lines.join(u'\n');
}

QString CalendarTexts::lineText(int index) const
{
    const QString file = firstFileText(index);
    return file.isEmpty() ? timesText(index) : timesText(index) + u' ' + file;
}

QString CalendarTexts::firstFileText(int index) const
{
    const AdvanceSchedule &s = m_document.advanceSchedules[size_t(index)];
    return s.details.empty() ? QString() : EntryFileName(s.details.front());
}

QString CalendarTexts::timesText(int index) const
{
    const AdvanceSchedule &s = m_document.advanceSchedules[size_t(index)];
    QString start = QString::fromStdString(StartTimeText(s));
    QString stop = QString::fromStdString(StopTimeText(s));
    // Whole minutes leave room for the file; the seconds stay where either time has them.
    const QLatin1String noSeconds(":00");
    if (start.endsWith(noSeconds) && stop.endsWith(noSeconds)) {
        start.chop(noSeconds.size());
        stop.chop(noSeconds.size());
    }
    return QStringLiteral("#%1 %2-%3").arg(index + 1).arg(start, stop);
}

} // namespace nerav
