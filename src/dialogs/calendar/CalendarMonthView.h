#pragma once

// One month of the advance schedules, painted in code: a title, the week-day names and six
// weeks of days. Each day of the month lists the advance schedules on it (ScheduleCalendar.h)
// by their row number in the advance list, their time window and their first file, coloured
// per schedule (a schedule's tooltip lists all its files); days with more than one are marked
// "overlap", days with none are hatched as basic only. One schedule can be highlighted with
// all its days. Arrow keys move the current day, Page Up and Page Down the month, Enter
// chooses the next schedule of the current day; a click on a schedule chooses it. Screen
// readers see the days as the cells of a table (CalendarMonthAccessible).

#include "AppContext.h"
#include "CalendarTexts.h"
#include "ScheduleDocument.h"

#include <QDate>
#include <QHash>
#include <QImage>
#include <QStaticText>
#include <QWidget>
#include <array>
#include <vector>

namespace nerav {

class CalendarMonthView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Weeks = 6;
    static constexpr int DaysPerWeek = 7;
    static constexpr int DayCount = Weeks * DaysPerWeek;

    // document: the schedule shown, which outlives the view.
    CalendarMonthView(const AppContext &context, const ScheduleDocument &document,
                      QWidget *parent = nullptr);

    QDate currentDay() const { return m_current; }
    // Moves the current day (kept within 2000-01-01 .. 2099-12-31); the month follows it.
    void setCurrentDay(const QDate &day);
    int shownYear() const { return m_current.year(); }
    int shownMonth() const { return m_current.month(); }

    // The schedule whose days are outlined: a 0-based advance list row, or -1 for none.
    int highlightedSchedule() const { return m_highlighted; }
    void setHighlightedSchedule(int index);

    // Highlights the schedule; when none of its days is in the shown month, shows the month of
    // its first day instead, with that day as the current one. -1 highlights nothing.
    void showSchedule(int index);

    // Reads the document again, after any change of it.
    void refresh();
    // Paints again in the language of the text tables, after a switch of language.
    void retext();
    // The schedule file's name, shown beside the month's title (and saved and printed with it).
    QString fileName() const { return m_fileName; }
    void setFileName(const QString &name);

    // The 0-based advance list rows listed on a day of the shown month (empty for other days).
    std::vector<int> schedulesShownOn(const QDate &day) const;
    // Where the schedule is drawn on that day (its one or two lines); empty when it is not.
    QRect scheduleLineRect(const QDate &day, int index) const;

    // The days of the grid by position, 0 .. DayCount - 1 from the top left week by week; the
    // first and last week hold days of the months around the shown one.
    QDate dayAt(int position) const;
    int currentPosition() const { return positionOf(m_current); }
    QRect dayRect(int position) const;
    // The day position under a point of the view, or -1.
    int positionAt(const QPoint &point) const;
    // The words it shows, in the language of the text tables.
    const CalendarTexts &texts() const { return m_wording; }
    // What a screen reader says for a day: its date, then its schedules as their lines read
    // and the overlap mark, or basic only.
    QString dayName(int position) const;

    // The month as an image for a file or a printed page, without the keyboard's mark.
    QImage monthImage(const QSize &size, qreal pixelRatio) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void currentDayChanged(const QDate &day);
    // A schedule was chosen in the calendar, by click or Enter.
    void scheduleChosen(int index);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Day
    {
        QDate date;
        bool inMonth = false;
        std::vector<int> schedules;
    };

    // Where the parts of the month go in an area.
    struct Layout
    {
        QRect title;
        QRect weekDays;
        QRect grid;
        int lineHeight = 0;
        int overlapWidth = 0; // the "overlap" mark
        QRect cell(int position) const;
        // The lines below a cell's day number.
        int roomLines() const;
    };

    // Tells screen readers that the names of the days changed, or which day is the current one.
    void announceDays();
    void announceCurrentDay();
    Layout layoutFor(const QRect &area, const QFontMetrics &metrics) const;
    void paintMonth(QPainter &painter, const QRect &area, bool onScreen) const;
    void paintTitle(QPainter &painter, const Layout &layout) const;
    void fillDays();
    void paintDay(QPainter &painter, const Layout &layout, int position, bool onScreen) const;
    // The schedule drawn on a line of a day that shows only its first lines.
    int shownSchedule(const std::vector<int> &schedules, int shown, int line) const;
    // Draws the text elided to the rectangle's width, centred vertically; on screen from a cache.
    void drawCellText(QPainter &painter, const QRect &rect, Qt::Alignment alignment,
                      const QString &text, bool cached) const;
    // The schedule whose line is under a point of the view (with that line), or -1.
    int scheduleAt(const QPoint &point, QRect *line = nullptr) const;
    // Day position in the grid (0..41) of a date of the shown month; -1 for other dates.
    int positionOf(const QDate &day) const;
    // The lines of schedules that fit a cell; one fewer when a "more" line is needed.
    int linesShown(const Layout &layout, int scheduleCount) const;
    // Two lines per schedule of the day (times, then the first file) where one line is too
    // narrow for its text and the cell has room for two for each; else one.
    int linesPerSchedule(const Layout &layout, const Day &day,
                         const QFontMetrics &lineMetrics) const;

    const AppContext &m_context;
    const ScheduleDocument &m_document;
    CalendarTexts m_wording;
    QDate m_current;
    QString m_fileName;
    int m_highlighted = -1;
    std::array<Day, Weeks * DaysPerWeek> m_days;
    mutable QHash<QString, QStaticText> m_texts;
};

} // namespace nerav
