#pragma once

// The undoable steps of the main window's list commands: add, modify, remove, move up and move
// down in each of the three lists. A step holds only what it changed (the record it added,
// removed or replaced, or the row it moved) and the rows selected before and after it, so undo
// and redo bring back the document and the window exactly as they were.

#include "ScheduleDocument.h"

#include <QUndoCommand>

namespace nerav {

enum class ScheduleList { Basic, Advance, Detail };
enum class StepKind { Add, Modify, Remove, MoveUp, MoveDown, Duplicate, DuplicateToDays };

// The selected row of each list; -1 for none.
struct ListSelection
{
    int normal = -1;
    int advance = -1;
    int detail = -1;

    bool operator==(const ListSelection &other) const
    {
        return normal == other.normal && advance == other.advance && detail == other.detail;
    }
};

// What changed in the rows of one list: a row inserted or removed, a row's record replaced,
// or two rows swapped.
struct RowChange
{
    enum Kind { Insert, Remove, Update, Swap } kind;
    int row;
    int other = -1; // the second row of a swap
    int owner = -1; // the advance schedule whose details changed
    int count = 1; // the rows inserted or removed from row on
};

// What a step needs of the window: the rows selected now, and showing the document again
// after a change to one list, with the given rows selected.
class StepView
{
public:
    virtual ListSelection CurrentSelection() const = 0;
    virtual void ShowStep(ScheduleList list, const RowChange &change,
                          const ListSelection &selection) = 0;

protected:
    ~StepView() = default;
};

class EditStep : public QUndoCommand
{
public:
    StepKind kind() const { return m_kind; }

    void undo() override;
    void redo() override;

protected:
    EditStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
             StepKind kind);

    // Each changes the document and says how the rows of the list change with it.
    virtual RowChange Apply() = 0;
    virtual RowChange Revert() = 0;
    // The rows to select once the change is applied.
    virtual ListSelection SelectionAfter() const = 0;

    // The first row of the details of the schedule at advance (none when it has none).
    int FirstDetailRow(int advance) const;

    ScheduleDocument &m_document;
    ScheduleList m_list;
    int m_owner; // the advance schedule whose details change; -1 for the other lists
    ListSelection m_before;

private:
    StepView &m_view;
    StepKind m_kind;
    ListSelection m_after;
    bool m_applied = false;
};

// Adds record at index (the end of the list for a new record).
template<class Record>
EditStep *MakeAddStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
                      int index, const Record &record);

// Inserts records at index as one step of the given kind (copies of a row after it).
template<class Record>
EditStep *MakeInsertStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
                         int index, std::vector<Record> records, StepKind kind);

// Replaces the record at index; for an advance schedule only its date/time window changes.
template<class Record>
EditStep *MakeModifyStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
                         int index, const Record &record);

template<class Record>
EditStep *MakeRemoveStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
                         int index);

// Swaps the record at index with the one above (MoveUp) or below (MoveDown).
template<class Record>
EditStep *MakeMoveStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
                       int index, StepKind direction);

} // namespace nerav
