#include "CalendarMonthView.h"

#include "CalendarMonthAccessible.h"
#include "ScheduleCalendar.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>
#include <algorithm>

namespace nerav {

namespace {

const QDate FirstShownDay(2000, 1, 1);
const QDate LastShownDay(2099, 12, 31);

// The schedule lines a little smaller, so a time window fits a day of a normal window.
QFont LineFont(const QFont &base)
{
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * 0.88);
    return font;
}

// Neighbouring rows get clearly different hues; 47 steps through all 360 before repeating.
QColor ScheduleColour(int index, bool strong)
{
    const int hue = (index * 47) % 360;
    return strong ? QColor::fromHsl(hue, 170, 95) : QColor::fromHsl(hue, 150, 215);
}

QColor WeekDayColour(int column)
{
    if (column == 0)
        return QColor(200, 30, 30);
    if (column == 6)
        return QColor(30, 70, 200);
    return QColor(30, 30, 30);
}

} // namespace

CalendarMonthView::CalendarMonthView(const AppContext &context, const ScheduleDocument &document,
                                     QWidget *parent)
    : QWidget(parent),
      m_context(context),
      m_document(document),
      m_wording(context, document),
      m_current(context.platform.clock.today())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    InstallCalendarAccessibility();
    m_current = std::clamp(m_current.isValid() ? m_current : FirstShownDay, FirstShownDay,
                           LastShownDay);
    fillDays();
}

void CalendarMonthView::setCurrentDay(const QDate &day)
{
    if (!day.isValid())
        return;
    const QDate clamped = std::clamp(day, FirstShownDay, LastShownDay);
    if (clamped == m_current)
        return;
    const bool otherMonth =
            clamped.year() != m_current.year() || clamped.month() != m_current.month();
    m_current = clamped;
    if (otherMonth)
        fillDays();
    update();
    announceCurrentDay();
    emit currentDayChanged(m_current);
}

void CalendarMonthView::setHighlightedSchedule(int index)
{
    const int count = m_document.advanceCount();
    m_highlighted = index >= 0 && index < count ? index : -1;
    update();
}

void CalendarMonthView::showSchedule(int index)
{
    setHighlightedSchedule(index);
    if (m_highlighted < 0)
        return;
    // A move in the advance list selects its new row before the document change is announced.
    fillDays();
    for (const Day &day : m_days) {
        if (day.inMonth && std::count(day.schedules.begin(), day.schedules.end(), m_highlighted))
            return;
    }
    // Its first day: the start date (a stored impossible day gives way to the month's last), or
    // within a week after it the first day of its week day.
    const AdvanceSchedule &schedule = m_document.advanceSchedules[size_t(m_highlighted)];
    const int year = FirstShownDay.year() + schedule.startYear;
    const int month = std::clamp(int(schedule.startMonth), 1, 12);
    QDate first(year, month,
                std::clamp(int(schedule.startDay), 1, QDate(year, month, 1).daysInMonth()));
    for (int step = 0; step < 7; ++step) {
        const QDate day = first.addDays(step);
        if (OnDay(schedule, {day.year(), day.month(), day.day()})) {
            first = day;
            break;
        }
    }
    setCurrentDay(first);
}

void CalendarMonthView::refresh()
{
    if (m_highlighted >= m_document.advanceCount())
        m_highlighted = -1;
    m_texts.clear();
    fillDays();
    update();
}

void CalendarMonthView::retext()
{
    m_texts.clear();
    update();
    announceDays();
}

void CalendarMonthView::setFileName(const QString &name)
{
    if (name == m_fileName)
        return;
    m_fileName = name;
    update();
}

void CalendarMonthView::fillDays()
{
    const QDate first(m_current.year(), m_current.month(), 1);
    const QDate start = first.addDays(-(first.dayOfWeek() % DaysPerWeek));
    for (int position = 0; position < int(m_days.size()); ++position) {
        Day &day = m_days[size_t(position)];
        day.date = start.addDays(position);
        day.inMonth = day.date.month() == m_current.month();
        day.schedules.clear();
        if (day.inMonth)
            day.schedules =
                    SchedulesOnDay(m_document, {day.date.year(), day.date.month(), day.date.day()});
    }
    announceDays();
}

void CalendarMonthView::announceDays()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent title(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&title);
    for (int position = 0; position < DayCount; ++position) {
        QAccessibleEvent named(this, QAccessible::NameChanged);
        named.setChild(position);
        QAccessible::updateAccessibility(&named);
    }
}

void CalendarMonthView::announceCurrentDay()
{
    const int position = currentPosition();
    if (!QAccessible::isActive() || position < 0)
        return;
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(position);
    QAccessible::updateAccessibility(&selection);
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(position);
        QAccessible::updateAccessibility(&focus);
    }
}

QDate CalendarMonthView::dayAt(int position) const
{
    return position >= 0 && position < DayCount ? m_days[size_t(position)].date : QDate();
}

QString CalendarMonthView::dayName(int position) const
{
    if (position < 0 || position >= DayCount)
        return QString();
    const Day &day = m_days[size_t(position)];
    return m_wording.dayName(day.date, day.inMonth, day.schedules);
}

QRect CalendarMonthView::dayRect(int position) const
{
    if (position < 0 || position >= DayCount)
        return QRect();
    return layoutFor(rect(), fontMetrics()).cell(position);
}

int CalendarMonthView::positionAt(const QPoint &point) const
{
    const Layout layout = layoutFor(rect(), fontMetrics());
    for (int position = 0; position < DayCount; ++position) {
        if (layout.cell(position).contains(point))
            return position;
    }
    return -1;
}

int CalendarMonthView::scheduleAt(const QPoint &point, QRect *line) const
{
    const int position = positionAt(point);
    if (position < 0)
        return -1;
    const Day &day = m_days[size_t(position)];
    for (int index : day.schedules) {
        const QRect drawn = scheduleLineRect(day.date, index);
        if (drawn.contains(point)) {
            if (line)
                *line = drawn;
            return index;
        }
    }
    return -1;
}

std::vector<int> CalendarMonthView::schedulesShownOn(const QDate &day) const
{
    const int position = positionOf(day);
    return position < 0 ? std::vector<int>() : m_days[size_t(position)].schedules;
}

int CalendarMonthView::positionOf(const QDate &day) const
{
    for (int position = 0; position < int(m_days.size()); ++position) {
        if (m_days[size_t(position)].inMonth && m_days[size_t(position)].date == day)
            return position;
    }
    return -1;
}

QRect CalendarMonthView::Layout::cell(int position) const
{
    const int column = position % DaysPerWeek;
    const int week = position / DaysPerWeek;
    const int left = grid.left() + column * grid.width() / DaysPerWeek;
    const int right = grid.left() + (column + 1) * grid.width() / DaysPerWeek;
    const int top = grid.top() + week * grid.height() / Weeks;
    const int bottom = grid.top() + (week + 1) * grid.height() / Weeks;
    return QRect(left, top, right - left, bottom - top);
}

CalendarMonthView::Layout CalendarMonthView::layoutFor(const QRect &area,
                                                       const QFontMetrics &metrics) const
{
    Layout layout;
    layout.lineHeight = metrics.height() + 2;
    layout.overlapWidth = metrics.horizontalAdvance(m_context.text.captions.overlapMark) + 10;
    layout.title = QRect(area.left(), area.top(), area.width(), layout.lineHeight * 2);
    layout.weekDays =
            QRect(area.left(), layout.title.bottom() + 1, area.width(), layout.lineHeight + 4);
    layout.grid = QRect(area.left(), layout.weekDays.bottom() + 1, area.width() - 1,
                        area.bottom() - layout.weekDays.bottom() - 1);
    return layout;
}

int CalendarMonthView::Layout::roomLines() const
{
    // The first line of a cell holds the day number.
    return std::max(0, cell(0).height() - 4) / lineHeight - 1;
}

int CalendarMonthView::linesShown(const Layout &layout, int scheduleCount) const
{
    const int room = layout.roomLines();
    if (scheduleCount <= room)
        return scheduleCount;
    return std::max(0, room - 1);
}

int CalendarMonthView::linesPerSchedule(const Layout &layout, const Day &day,
                                        const QFontMetrics &lineMetrics) const
{
    const int count = int(day.schedules.size());
    if (count == 0 || count * 2 > layout.roomLines())
        return 1;
    // The first file goes below the times where a line is too narrow for both.
    const int width = layout.cell(0).width() - 11;
    for (int index : day.schedules) {
        if (lineMetrics.horizontalAdvance(m_wording.lineText(index)) > width)
            return 2;
    }
    return 1;
}

QRect CalendarMonthView::scheduleLineRect(const QDate &day, int index) const
{
    const int position = positionOf(day);
    if (position < 0)
        return QRect();
    const Layout layout = layoutFor(rect(), fontMetrics());
    const Day &shownDay = m_days[size_t(position)];
    const std::vector<int> &schedules = shownDay.schedules;
    const int shown = linesShown(layout, int(schedules.size()));
    const int lines = linesPerSchedule(layout, shownDay, QFontMetrics(LineFont(font())));
    const QRect cell = layout.cell(position);
    for (int line = 0; line < shown; ++line) {
        if (shownSchedule(schedules, shown, line) == index)
            return QRect(cell.left() + 3, cell.top() + 2 + (line * lines + 1) * layout.lineHeight,
                         cell.width() - 6, lines * layout.lineHeight - 1);
    }
    return QRect();
}

int CalendarMonthView::shownSchedule(const std::vector<int> &schedules, int shown, int line) const
{
    // The highlighted schedule takes the last line when it would be hidden behind "more".
    if (line == shown - 1 && shown < int(schedules.size()) &&
        std::find(schedules.begin() + shown, schedules.end(), m_highlighted) != schedules.end())
        return m_highlighted;
    return schedules[size_t(line)];
}

QImage CalendarMonthView::monthImage(const QSize &size, qreal pixelRatio) const
{
    QImage image(size * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font());
    // A page on a wall needs the legend the window shows below the month.
    const int legendHeight = painter.fontMetrics().height() + 8;
    const QRect area(0, 0, size.width(), size.height() - legendHeight);
    paintMonth(painter, area, false);
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(QRect(6, area.bottom() + 1, size.width() - 12, legendHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, m_context.text.captions.calendarLegend);
    return image;
}

QSize CalendarMonthView::sizeHint() const
{
    // Room for "#250 00:00-23:59 ABCDEFGH.MP3" in every day.
    const int lineWidth =
            fontMetrics().horizontalAdvance(QStringLiteral("#250 00:00-23:59 ABCDEFGH.MP3"));
    return QSize((lineWidth + 16) * DaysPerWeek, 680);
}

QSize CalendarMonthView::minimumSizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8 * DaysPerWeek, 360);
}

void CalendarMonthView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintMonth(painter, rect(), true);
}

void CalendarMonthView::paintMonth(QPainter &painter, const QRect &area, bool onScreen) const
{
    const Layout layout = layoutFor(area, painter.fontMetrics());
    paintTitle(painter, layout);
    for (int position = 0; position < int(m_days.size()); ++position)
        paintDay(painter, layout, position, onScreen);
}

void CalendarMonthView::paintTitle(QPainter &painter, const Layout &layout) const
{
    const CaptionTable &captions = m_context.text.captions;
    const QFont base = painter.font();
    QFont titleFont = base;
    titleFont.setBold(true);
    titleFont.setPointSizeF(base.pointSizeF() * 1.5);
    painter.setFont(titleFont);
    painter.setPen(QColor(30, 30, 30));
    const QRect title = layout.title.adjusted(6, 0, -6, 0);
    painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter, m_wording.monthTitle(m_current));
    painter.setFont(base);
    painter.setPen(QColor(90, 90, 90));
    painter.drawText(title, Qt::AlignRight | Qt::AlignVCenter, m_fileName);

    const QStringList names = captions.calendarWeekDays.split(QLatin1Char(' '));
    for (int column = 0; column < DaysPerWeek; ++column) {
        const QRect cell = layout.cell(column);
        const QRect header(cell.left(), layout.weekDays.top(), cell.width(),
                           layout.weekDays.height());
        painter.fillRect(header, QColor(235, 238, 244));
        painter.setPen(WeekDayColour(column));
        painter.drawText(header, Qt::AlignCenter, names.value(column));
    }
}

void CalendarMonthView::paintDay(QPainter &painter, const Layout &layout, int position,
                                 bool onScreen) const
{
    const Day &day = m_days[size_t(position)];
    const QRect cell = layout.cell(position);
    const CaptionTable &captions = m_context.text.captions;
    const QFont base = painter.font();
    const QFontMetrics metrics = painter.fontMetrics();

    if (!day.inMonth)
        painter.fillRect(cell, QColor(246, 246, 246));
    else if (day.schedules.empty())
        painter.fillRect(cell, QBrush(QColor(200, 200, 200), Qt::BDiagPattern));
    else
        painter.fillRect(cell, Qt::white);
    painter.setPen(QColor(190, 190, 190));
    painter.drawRect(cell);

    // The day number, on a dark disc for today.
    QFont bold = base;
    bold.setBold(true);
    const QFont lineFont = LineFont(base);
    QFont lineBold = lineFont;
    lineBold.setBold(true);
    painter.setFont(bold);
    const QString dayText = QString::number(day.date.day());
    const QRect number(cell.left() + 3, cell.top() + 2,
                       painter.fontMetrics().horizontalAdvance(dayText) + 10, layout.lineHeight);
    QColor numberColour =
            day.inMonth ? WeekDayColour(position % DaysPerWeek) : QColor(175, 175, 175);
    if (day.date == m_context.platform.clock.today()) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(30, 60, 130));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(number, 4, 4);
        painter.setBrush(Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing, false);
        numberColour = Qt::white;
    }
    painter.setPen(numberColour);
    drawCellText(painter, number, Qt::AlignHCenter, dayText, onScreen);

    const QRect firstLine(cell.left() + 3, cell.top() + 2, cell.width() - 6, layout.lineHeight);
    if (day.inMonth && day.schedules.empty()) {
        painter.setFont(base);
        painter.setPen(QColor(110, 110, 110));
        drawCellText(painter, firstLine.translated(0, layout.lineHeight), Qt::AlignHCenter,
                     captions.basicOnlyDay, onScreen);
    }
    if (day.schedules.size() >= 2) {
        const int width = std::min(layout.overlapWidth, cell.width() / 2);
        const QRect mark(firstLine.right() - width, firstLine.top() + 1, width,
                         layout.lineHeight - 2);
        painter.fillRect(mark, QColor(200, 30, 30));
        painter.setPen(Qt::white);
        drawCellText(painter, mark, Qt::AlignHCenter, captions.overlapMark, onScreen);
    }

    const int shown = linesShown(layout, int(day.schedules.size()));
    const int lines = linesPerSchedule(layout, day, QFontMetrics(lineFont));
    for (int line = 0; line < shown; ++line) {
        const int index = shownSchedule(day.schedules, shown, line);
        const bool strong = index == m_highlighted;
        const QRect text = firstLine.translated(0, (line * lines + 1) * layout.lineHeight)
                                   .adjusted(3, 0, -2, -1);
        painter.fillRect(text.adjusted(-3, 0, 2, (lines - 1) * layout.lineHeight),
                         ScheduleColour(index, strong));
        painter.setFont(strong ? lineBold : lineFont);
        painter.setPen(strong ? Qt::white : QColor(20, 20, 20));
        if (lines == 1) {
            drawCellText(painter, text, Qt::AlignLeft, m_wording.lineText(index), onScreen);
        } else {
            drawCellText(painter, text, Qt::AlignLeft, m_wording.timesText(index), onScreen);
            drawCellText(painter, text.translated(0, layout.lineHeight).adjusted(8, 0, 0, 0),
                         Qt::AlignLeft, m_wording.firstFileText(index), onScreen);
        }
    }
    painter.setFont(base);
    if (shown < int(day.schedules.size())) {
        painter.setPen(QColor(60, 60, 60));
        drawCellText(painter, firstLine.translated(0, (shown + 1) * layout.lineHeight),
                     Qt::AlignLeft, captions.calendarMore.arg(int(day.schedules.size()) - shown),
                     onScreen);
    }

    if (m_highlighted >= 0 &&
        std::count(day.schedules.begin(), day.schedules.end(), m_highlighted)) {
        painter.setPen(QPen(ScheduleColour(m_highlighted, true), 3));
        painter.drawRect(cell.adjusted(1, 1, -1, -1));
    }
    if (onScreen && day.date == m_current) {
        painter.setPen(QPen(palette().color(hasFocus() ? QPalette::Highlight : QPalette::Mid), 2,
                            Qt::DashLine));
        painter.drawRect(cell.adjusted(3, 3, -3, -3));
    }
}

void CalendarMonthView::drawCellText(QPainter &painter, const QRect &rect, Qt::Alignment alignment,
                                     const QString &text, bool cached) const
{
    if (!cached) {
        painter.drawText(rect, alignment | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width()));
        return;
    }
    // The same texts come back on many days and in every month: each is laid out once.
    const QString key = QString::number(rect.width()) + u'/' +
            QString::number(painter.font().pointSizeF()) + (painter.font().bold() ? u'b' : u'n') +
            text;
    auto found = m_texts.find(key);
    if (found == m_texts.end()) {
        QStaticText laidOut(painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width()));
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.prepare(QTransform(), painter.font());
        found = m_texts.insert(key, laidOut);
    }
    const QSizeF size = found->size();
    qreal left = rect.left();
    if (alignment & Qt::AlignHCenter)
        left += (rect.width() - size.width()) / 2;
    painter.drawStaticText(QPointF(left, rect.top() + (rect.height() - size.height()) / 2), *found);
}

void CalendarMonthView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_texts.clear();
    QWidget::changeEvent(event);
}

bool CalendarMonthView::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    QRect line;
    const int index = scheduleAt(help->pos(), &line);
    if (index < 0) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(
                help->globalPos(),
                Qt::convertFromPlainText(m_wording.scheduleToolTip(index), Qt::WhiteSpaceNoWrap),
                this, line);
    }
    return true;
}

void CalendarMonthView::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    announceCurrentDay();
}

void CalendarMonthView::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    const int position = positionAt(point);
    if (position < 0)
        return;
    // The schedule under the click is found before another month's days take the cells.
    const int index = scheduleAt(point);
    setCurrentDay(m_days[size_t(position)].date);
    if (index >= 0) {
        setHighlightedSchedule(index);
        emit scheduleChosen(index);
    }
}

void CalendarMonthView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        setCurrentDay(m_current.addDays(-1));
        return;
    case Qt::Key_Right:
        setCurrentDay(m_current.addDays(1));
        return;
    case Qt::Key_Up:
        setCurrentDay(m_current.addDays(-DaysPerWeek));
        return;
    case Qt::Key_Down:
        setCurrentDay(m_current.addDays(DaysPerWeek));
        return;
    case Qt::Key_PageUp:
        setCurrentDay(m_current.addMonths(-1));
        return;
    case Qt::Key_PageDown:
        setCurrentDay(m_current.addMonths(1));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // Each Enter chooses the next schedule of the day, from the highlighted one on.
        const std::vector<int> schedules = schedulesShownOn(m_current);
        if (schedules.empty())
            return;
        auto next = std::find(schedules.begin(), schedules.end(), m_highlighted);
        next = next == schedules.end() || next + 1 == schedules.end() ? schedules.begin()
                                                                      : next + 1;
        setHighlightedSchedule(*next);
        emit scheduleChosen(*next);
        return;
    }
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace nerav
