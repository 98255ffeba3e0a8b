#pragma once

// The list commands of the main window: Add, Modify, Remove, Move Up, Move Down, Duplicate
// and Duplicate to Other Days, for any of the three lists. Add and Modify open the editor of
// the list's records; a list at its limit is named in a message. Each command that changes the
// document pushes one step through the model.

#include "AppContext.h"
#include "ScheduleDocument.h"
#include "ScheduleSelection.h"
#include "ScheduleSteps.h"

#include <QObject>
#include <optional>

class QWidget;

namespace nerav {

class ScheduleModel;

class ListEditing : public QObject
{
    Q_OBJECT

public:
    // window: the parent of the editors and messages.
    ListEditing(AppContext &context, ScheduleModel &model, QWidget *window);

    // Carries out the command on the selected row of the list (Add: at its end; Modify with
    // no row selected: on the first row).
    void run(ScheduleList list, StepKind kind);

private:
    void add(ScheduleList list, int owner);
    void modify(ScheduleList list, int owner, int row);
    void duplicate(ScheduleList list, int owner, int row);
    void duplicateToDays(int row);
    // owner: the advance schedule whose details are edited, -1 for the basic list.
    std::optional<ScheduleEntry> editEntry(const std::optional<ScheduleEntry> &entry, int owner);
    std::optional<AdvanceSchedule> editSchedule(const std::optional<AdvanceSchedule> &schedule);
    // False, with the list's message, when the list cannot take more rows.
    bool roomFor(ScheduleList list, int rows);

    AppContext &m_context;
    ScheduleModel &m_model;
    QWidget *m_window;
};

} // namespace nerav
