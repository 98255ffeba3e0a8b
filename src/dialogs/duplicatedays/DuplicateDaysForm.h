#pragma once

// The modal dialog of Duplicate to Other Days: the user ticks the week days that get a copy of
// an advance schedule, one by one or Monday to Friday with one button. The schedule's own day is
// shown ticked and cannot be changed. It touches no document; the caller makes the copies.

#include "AppContext.h"
#include "ScheduleDocument.h"

#include <QDialog>
#include <array>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace nerav {

class DuplicateDaysForm : public QDialog
{
    Q_OBJECT

public:
    // ownWeekDay: the schedule's week day (0 Sunday .. 6 Saturday, EveryDay for none of them).
    DuplicateDaysForm(AppContext &context, int ownWeekDay, QWidget *parent = nullptr);

    // The ticked days other than the schedule's own, Sunday first.
    std::vector<int> days() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void applyLanguage();
    void enableOkForChoice();
    void tickWeekdays();

    AppContext &m_context;
    int m_ownWeekDay;
    QLabel *m_prompt = nullptr;
    std::array<QCheckBox *, 7> m_dayChecks {};
    QPushButton *m_weekdaysCmd = nullptr;
    QPushButton *m_okCmd = nullptr;
    QPushButton *m_cancelCmd = nullptr;
};

} // namespace nerav
