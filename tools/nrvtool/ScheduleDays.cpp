#include "ScheduleDays.h"

#include "ScheduleCalendar.h"
#include "ScheduleTexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

QJsonObject DayObject(const ScheduleDocument &document, const QDate &date,
                      const std::vector<int> &on)
{
    QJsonArray advance;
    for (int index : on) {
        const AdvanceSchedule &s = document.advanceSchedules[std::size_t(index)];
        advance.append(
                QJsonObject {{"index", index}, {"start", StartText(s)}, {"stop", StopText(s)}});
    }
    return {{"date", date.toString(Qt::ISODate)},
            {"weekDay", date.dayOfWeek() % 7},
            {"advance", advance}};
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
    QJsonArray days;
    for (QDate date = from; date.isValid() && date <= to; date = date.addDays(1)) {
        const std::vector<int> on =
                SchedulesOnDay(document, {date.year(), date.month(), date.day()});
        if (json)
            days.append(DayObject(document, date, on));
        else
            text += DayLine(document, date, on);
    }
    if (json)
        text = QString::fromUtf8(QJsonDocument(days).toJson());
    return text;
}

} // namespace nerav
