#include "ScheduleDays.h"

#include "ScheduleCalendar.h"
#include "ScheduleTexts.h"

namespace nerav {

namespace {

constexpr int MaxYears = 10;

QString StartText(const AdvanceSchedule &s)
{
    return QString::fromStdString(StartTimeText(s));
}

QString StopText(const AdvanceSchedule &s)
{
    return QString::fromStdString(StopTimeText(s));
}

QString DayLine(const ScheduleDocument &document, const QDate &date, const std::vector<int> &on)
{
    static const char *const names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    QString line = date.toString(Qt::ISODate) + ' ' + QLatin1String(names[date.dayOfWeek() % 7]);
    if (on.empty())
        return line + QStringLiteral(" basic\n");
    for (int index : on) {
        const AdvanceSchedule &s = document.advanceSchedules[std::size_t(index)];
        line += QStringLiteral(" %1 %2-%3").arg(index).arg(StartText(s), StopText(s));
    }
    return line + '\n';
}

QString DayObject(const ScheduleDocument &document, const QDate &date, const std::vector<int> &on)
{
    QStringList advance;
    for (int index : on) {
        const AdvanceSchedule &s = document.advanceSchedules[std::size_t(index)];
        advance << QStringLiteral(R"({"index": %1, "start": "%2", "stop": "%3"})")
                           .arg(index)
                           .arg(StartText(s), StopText(s));
    }
    return QStringLiteral(R"({"date": "%1", "weekDay": %2, "advance": [%3]})")
            .arg(date.toString(Qt::ISODate))
            .arg(date.dayOfWeek() % 7)
            .arg(advance.join(QStringLiteral(", ")));
}

} // namespace

bool DaysRangeAllowed(const QDate &from, const QDate &to)
{
    return from.isValid() && to.isValid() && from <= to && to < from.addYears(MaxYears);
}

QString ScheduleDaysText(const ScheduleDocument &document, const QDate &from, const QDate &to,
                         bool json)
{
    QString text;
    if (json)
        text += '[';
    for (QDate date = from; date.isValid() && date <= to; date = date.addDays(1)) {
        const std::vector<int> on =
                SchedulesOnDay(document, {date.year(), date.month(), date.day()});
        if (!json) {
            text += DayLine(document, date, on);
            continue;
        }
        text += (date == from ? QStringLiteral("\n  ") : QStringLiteral(",\n  ")) +
                DayObject(document, date, on);
    }
    if (json)
        text += QStringLiteral("\n]\n");
    return text;
}

} // namespace nerav
