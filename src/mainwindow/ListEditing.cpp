#include "ListEditing.h"

#include "AdvanceScheduleEditForm.h"
#include "DuplicateDaysForm.h"
#include "MessageBoxes.h"
#include "RowFormat.h"
#include "ScheduleEditForm.h"
#include "ScheduleModel.h"

namespace nerav {

ListEditing::ListEditing(AppContext &context, ScheduleModel &model, QWidget *window)
    : QObject(window), m_context(context), m_model(model), m_window(window)
{
}

void ListEditing::run(ScheduleList list, StepKind kind)
{
    const int owner = list == ScheduleList::Detail ? m_model.detailOwner() : -1;
    if (list == ScheduleList::Detail && owner < 0)
        return;
    const int count = m_model.rowCount(list);
    int row = m_model.selection().row(list);
    if (row >= count)
        row = -1;
    switch (kind) {
    case StepKind::Add:
        return add(list, owner);
    case StepKind::Modify:
        // With no row selected, the first one is edited.
        if (row < 0 && count > 0) {
            ListSelection selection = m_model.selection();
            selection.row(list) = row = 0;
            m_model.select(selection);
        }
        if (row >= 0)
            modify(list, owner, row);
        return;
    case StepKind::Remove:
        if (row < 0)
            return;
        if (list == ScheduleList::Advance)
            return m_model.push(MakeRemoveStep<AdvanceSchedule>(m_model, list, owner, row));
        return m_model.push(MakeRemoveStep<ScheduleEntry>(m_model, list, owner, row));
    case StepKind::MoveUp:
    case StepKind::MoveDown: {
        const int other = kind == StepKind::MoveUp ? row - 1 : row + 1;
        if (row >= 0 && other >= 0 && other < count)
            m_model.push(MakeMoveStep(m_model, list, owner, row, other));
        return;
    }
    case StepKind::Duplicate:
        if (row >= 0)
            duplicate(list, owner, row);
        return;
    case StepKind::DuplicateToDays:
        if (list == ScheduleList::Advance && row >= 0)
            duplicateToDays(row);
        return;
    }
}

bool ListEditing::roomFor(ScheduleList list, int rows)
{
    if (m_model.rowCount(list) + rows <= ScheduleModel::limit(list))
        return true;
    const MessageTable &messages = m_context.text.messages;
    ShowMessage(m_window, m_context.text,
                list == ScheduleList::Basic             ? messages.msgTooManyBasic
                        : list == ScheduleList::Advance ? messages.msgTooManyAdvance
                                                        : messages.msgTooManyDetails);
    return false;
}

void ListEditing::add(ScheduleList list, int owner)
{
    if (!roomFor(list, 1))
        return;
    const int end = m_model.rowCount(list);
    if (list == ScheduleList::Advance) {
        if (const std::optional<AdvanceSchedule> added = editSchedule(std::nullopt))
            m_model.push(MakeInsertStep(m_model, list, owner, end, std::vector {*added}));
    } else if (const std::optional<ScheduleEntry> added = editEntry(std::nullopt, owner)) {
        m_model.push(MakeInsertStep(m_model, list, owner, end, std::vector {*added}));
    }
}

void ListEditing::modify(ScheduleList list, int owner, int row)
{
    const ScheduleDocument &document = m_model.document();
    // OK without a change is no change of the document.
    if (list == ScheduleList::Advance) {
        const AdvanceSchedule &stored = document.advanceSchedules[std::size_t(row)];
        const std::optional<AdvanceSchedule> edited = editSchedule(stored);
        if (edited && *edited != stored)
            m_model.push(MakeModifyStep(m_model, list, owner, row, *edited));
        return;
    }
    const ScheduleEntry &stored = list == ScheduleList::Basic
            ? document.basicEntries[std::size_t(row)]
            : document.advanceSchedules[std::size_t(owner)].details[std::size_t(row)];
    const std::optional<ScheduleEntry> edited = editEntry(stored, owner);
    if (edited && *edited != stored)
        m_model.push(MakeModifyStep(m_model, list, owner, row, *edited));
}

void ListEditing::duplicate(ScheduleList list, int owner, int row)
{
    if (!roomFor(list, 1))
        return;
    const ScheduleDocument &document = m_model.document();
    const auto at = std::size_t(row);
    if (list == ScheduleList::Advance)
        m_model.push(MakeInsertStep(m_model, list, owner, row + 1,
                                    std::vector {document.advanceSchedules[at]},
                                    StepKind::Duplicate));
    else
        m_model.push(MakeInsertStep(
                m_model, list, owner, row + 1,
                std::vector {list == ScheduleList::Basic
                                     ? document.basicEntries[at]
                                     : document.advanceSchedules[std::size_t(owner)].details[at]},
                StepKind::Duplicate));
}

void ListEditing::duplicateToDays(int row)
{
    if (!roomFor(ScheduleList::Advance, 1))
        return;
    const AdvanceSchedule original = m_model.document().advanceSchedules[std::size_t(row)];
    DuplicateDaysForm chooser(m_context, original.weekDay, m_window);
    if (chooser.exec() != QDialog::Accepted)
        return;
    std::vector<AdvanceSchedule> copies;
    for (int day : chooser.days()) {
        copies.push_back(original);
        copies.back().weekDay = std::uint8_t(day);
    }
    const int total = m_model.rowCount(ScheduleList::Advance) + int(copies.size());
    if (total > MaxAdvanceSchedules)
        return ShowMessage(m_window, m_context.text,
                           m_context.text.messages.msgTooManyCopies.arg(copies.size()).arg(total));
    if (!copies.empty())
        m_model.push(MakeInsertStep(m_model, ScheduleList::Advance, -1, row + 1, std::move(copies),
                                    StepKind::DuplicateToDays));
}

std::optional<ScheduleEntry> ListEditing::editEntry(const std::optional<ScheduleEntry> &entry,
                                                    int owner)
{
    ScheduleEditForm editor(m_context, entry, m_window);
    editor.setPlace([this, owner] {
        const CaptionTable &captions = m_context.text.captions;
        if (owner < 0 || owner >= m_model.rowCount(ScheduleList::Advance))
            return captions.entryEditorForBasic.arg(captions.entryEditorTitle);
        const AdvanceSchedule &schedule = m_model.document().advanceSchedules[std::size_t(owner)];
        return captions.entryEditorForAdvance.arg(captions.entryEditorTitle)
                .arg(owner + 1)
                .arg(FormatWindowStart(schedule), FormatWindowStop(schedule),
                     captions.weekDayName(schedule.weekDay));
    });
    if (editor.exec() != QDialog::Accepted)
        return std::nullopt;
    return editor.entry();
}

std::optional<AdvanceSchedule>
ListEditing::editSchedule(const std::optional<AdvanceSchedule> &schedule)
{
    AdvanceScheduleEditForm editor(m_context, schedule, m_window);
    if (editor.exec() != QDialog::Accepted)
        return std::nullopt;
    return editor.schedule();
}

} // namespace nerav
