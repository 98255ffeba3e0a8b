#pragma once

// The modal dialog that adds an advance schedule or changes the date/time window of one: start
// and stop dates, start and stop times of day, and a day of the week, all chosen from lists.
// On OK it checks the order, writes the schedule and puts its row into the advance list.

#include "AppContext.h"
#include "MainWindowLists.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace nerav {

class AdvanceScheduleEditForm : public QDialog
{
    Q_OBJECT

public:
    AdvanceScheduleEditForm(AppContext &context, const MainWindowLists &lists,
                            QWidget *parent = nullptr);
    ~AdvanceScheduleEditForm() override;

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
        QLabel *pictures[3] = {}; // the Japanese word of each row
    };
    struct RowNames
    {
        const char *frame;
        const char *pictures[3];
        const char *words[3];
        const char *combos[3];
    };

    void BuildControls();
    QGroupBox *BuildValueFrame(QWidget *parent, const RowNames &names, ValueRows &rows);
    void BuildLayout();
    void InitAdvanceEditFormOsd();
    void InitRowHints(const ValueRows &rows, const QString *headings[3]);
    void PrepareAdvanceEdit();
    void FillDateLists();
    void SelectDate(const ValueRows &date, int yearOffset, int month, int day);
    void FillTimeLists();
    void SelectTime(const ValueRows &time, int hour, int minute, int second);
    const AdvanceSchedule *EditedSchedule() const;
    void RebuildStartDays();
    void RebuildStopDays();
    static void RebuildDays(const ValueRows &date);
    AdvanceSchedule ChosenSchedule() const;
    bool CheckDateOrder() const;
    bool CheckTimeOrder() const;
    void StoreAdvanceSchedule(AdvanceSchedule &schedule) const;
    QString AdvanceRowText() const;
    void AddAdvanceRow();
    void UpdateAdvanceRow();
    bool AddSchedule();
    bool ModifySchedule();

    void StartDate_Click();
    void StopDate_Click();
    void OKCmd_Click();
    void CancelCmd_Click();

    AppContext &m_context;
    MainWindowLists m_lists;
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
