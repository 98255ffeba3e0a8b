#pragma once

// The modal dialog that edits the date/time window of an advance schedule: start and stop
// dates, start and stop times of day, and a day of the week, all chosen from lists. It is
// given the schedule to edit (none for a new one, which starts today) and, on OK, checks the
// order and hands back the edited schedule; the caller decides where it goes.

#include "AppContext.h"
#include "ScheduleDocument.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace nerav {

class AdvanceScheduleEditForm : public QDialog
{
    Q_OBJECT

public:
    AdvanceScheduleEditForm(AppContext &context, const std::optional<AdvanceSchedule> &schedule,
                            QWidget *parent = nullptr);
    ~AdvanceScheduleEditForm() override;

    // The given schedule (its details untouched) with the chosen window; meaningful once the
    // dialog was accepted.
    const AdvanceSchedule &schedule() const { return m_schedule; }

    // OK: checks the order of the dates and of the times, saying what is wrong, and keeps the
    // dialog open until both are right.
    void accept() override;

    // False while the dialog fills its lists; the year and month handlers then do nothing.
    bool comboEventsEnabled() const { return m_comboEventsEnabled; }

protected:
    // The texts again from the text table when the application switches the language.
    void changeEvent(QEvent *event) override;

private:
    // The three lists of one date or one time of day, top to bottom.
    struct ValueRows
    {
        QComboBox *first = nullptr; // year or hour
        QComboBox *second = nullptr; // month or minute
        QComboBox *third = nullptr; // day or second
        QLabel *pictures[3] = {}; // the caption of each row
    };
    struct RowNames
    {
        const char *frame;
        const char *pictures[3];
        const char *combos[3];
    };

    void buildControls();
    QGroupBox *buildValueFrame(QWidget *parent, const RowNames &names, ValueRows &rows);
    void buildLayout();
    void applyLanguage();
    void setRowLabels(const ValueRows &rows, const QString *headings[3]);
    void fillDateLists(const AdvanceSchedule *edited);
    void selectDate(const ValueRows &date, int yearOffset, int month, int day);
    void fillTimeLists(const AdvanceSchedule *edited);
    void selectTime(const ValueRows &time, int hour, int minute, int second);
    void refillStartDays();
    void refillStopDays();
    static void refillDays(const ValueRows &date);
    AdvanceSchedule chosenSchedule() const;
    bool checkDateOrder() const;
    bool checkTimeOrder() const;
    void storeAdvanceSchedule(AdvanceSchedule &schedule) const;

    AppContext &m_context;
    AdvanceSchedule m_schedule;
    bool m_comboEventsEnabled = false;

    QGroupBox *m_dateFrame = nullptr;
    QGroupBox *m_startDateFrame = nullptr;
    QGroupBox *m_stopDateFrame = nullptr;
    QGroupBox *m_weekDayFrame = nullptr;
    QGroupBox *m_timeSetupFrame = nullptr;
    QGroupBox *m_startTimeFrame = nullptr;
    QGroupBox *m_stopTimeFrame = nullptr;
    ValueRows m_startDate, m_stopDate, m_startTime, m_stopTime;
    QComboBox *m_weekdayCombo = nullptr;
    QPushButton *m_okCmd = nullptr;
    QPushButton *m_cancelCmd = nullptr;
};

} // namespace nerav
