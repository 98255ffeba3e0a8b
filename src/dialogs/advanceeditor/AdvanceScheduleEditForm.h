#pragma once

// The modal dialog that edits the date/time window of an advance schedule: start and stop
// dates, start and stop times of day, and a day of the week, all chosen from lists. It is
// given the schedule to edit (none for a new one, which starts today) and, on OK, checks the
// order and hands back the edited schedule; the caller decides where it goes.

#include "AppContext.h"

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

    void BuildControls();
    QGroupBox *BuildValueFrame(QWidget *parent, const RowNames &names, ValueRows &rows);
    void BuildLayout();
    void InitAdvanceEditFormOsd();
    void InitRowLabels(const ValueRows &rows, const QString *headings[3]);
    void FillDateLists(const AdvanceSchedule *edited);
    void SelectDate(const ValueRows &date, int yearOffset, int month, int day);
    void FillTimeLists(const AdvanceSchedule *edited);
    void SelectTime(const ValueRows &time, int hour, int minute, int second);
    void RebuildStartDays();
    void RebuildStopDays();
    static void RebuildDays(const ValueRows &date);
    AdvanceSchedule ChosenSchedule() const;
    bool CheckDateOrder() const;
    bool CheckTimeOrder() const;
    void StoreAdvanceSchedule(AdvanceSchedule &schedule) const;

    void StartDate_Click();
    void StopDate_Click();
    void OKCmd_Click();
    void CancelCmd_Click();

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
