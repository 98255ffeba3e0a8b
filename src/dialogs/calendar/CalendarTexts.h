#pragma once

// The calendar's words in the language of the text tables: the month's title, the week days,
// a schedule's line and tooltip, and what a screen reader says for a day. Schedules are given
// by their 0-based advance list row in the document given.

#include "AppContext.h"
#include "ScheduleDocument.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <vector>

namespace nerav {

class CalendarTexts
{
public:
    // document: the schedule whose advance schedules are worded.
    CalendarTexts(const AppContext &context, const ScheduleDocument &document);

    // What the marks of the days mean, as the window shows it below them.
    QString legend() const { return m_context.text.captions.calendarLegend; }
    // "2006年12月", "December 2006".
    QString monthTitle(const QDate &month) const;
    // The full name of a grid column's week day, Sunday first.
    QString weekDayName(int column) const;
    // "#3 09:00-18:00 SONG.MP3": the row number, the time window (seconds only where either
    // time has them) and the first file, when there is one.
    QString lineText(int index) const;
    QString timesText(int index) const;
    QString firstFileText(int index) const;
    // "12月28日 木曜日: #1 …, #3 …, 重複"; "basic only" for a day of the month without
    // schedules; the date alone for a day of the months around it.
    QString dayName(const QDate &day, bool inMonth, const std::vector<int> &schedules) const;
    // The row number, the window (start, stop, week day, number of files) and the files, one
    // per line; empty for a row that is not there.
    QString scheduleToolTip(int index) const;

private:
    QLocale locale() const;

    const AppContext &m_context;
    const ScheduleDocument &m_document;
};

} // namespace nerav
