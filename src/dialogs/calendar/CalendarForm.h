#pragma once

// The calendar window of the View menu: the month view of the advance schedules with buttons to
// move by month and year (2000-2099), Today (the platform's clock), Save as PNG and Print. It
// follows the document (refresh), its file (showFile) and the advance list's selection
// (showSchedule), and reports
// a schedule chosen in it (scheduleChosen), so the main window can select that row. It opens
// where it last was (Settings::calendarGeometry), the first time beside the main window.

#include "AppContext.h"
#include "ScheduleDocument.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPagedPaintDevice;
class QPushButton;
class QSpinBox;

namespace nerav {

class CalendarMonthView;

class CalendarForm : public QWidget
{
    Q_OBJECT

public:
    // document: the open schedule, which outlives the window.
    CalendarForm(AppContext &context, const ScheduleDocument &document, QWidget *parent = nullptr);

    CalendarMonthView *monthView() const { return m_view; }

    // The advance list's selected row (-1 for none): highlighted, and its month shown when none
    // of its days is in the shown month.
    void showSchedule(int index);
    // The document changed: every day is read again.
    void refresh();
    // The schedule's file: its name is shown with the month, its folder proposed for the PNG.
    void showFile(const QString &path);
    QString file() const { return m_file; }

    // The shown month as a PNG file; false (nothing in place) when it cannot be written.
    bool saveImage(const QString &path);
    // The shown month on one page of a printer or PDF file, as large as the page allows.
    void printTo(QPagedPaintDevice &device);

    // Asks where to save the shown month as a PNG file, in the schedule's folder first.
    void chooseImageFile();
    // Prints the shown month after the print dialog.
    void printMonth();

signals:
    void scheduleChosen(int index);

protected:
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The captions of the current language (again after a switch of language).
    void applyCaptions();
    QPushButton *addButton(const char *name, const QString &sign);
    void showMonthOf(const QDate &day);
    void followView(const QDate &day);
    // Its size (the preferred one when invalid) within the screen, beside the main window
    // where the screen has room for it (WindowPlacement.h).
    void placeBesideOwner(const QSize &size);
    void rememberGeometry();

    AppContext &m_context;
    QString m_file;
    CalendarMonthView *m_view = nullptr;
    QPushButton *m_previousYear = nullptr;
    QPushButton *m_previousMonth = nullptr;
    QSpinBox *m_year = nullptr;
    QComboBox *m_month = nullptr;
    QPushButton *m_nextMonth = nullptr;
    QPushButton *m_nextYear = nullptr;
    QPushButton *m_today = nullptr;
    QPushButton *m_savePng = nullptr;
    QPushButton *m_print = nullptr;
    QLabel *m_legend = nullptr;
};

} // namespace nerav
