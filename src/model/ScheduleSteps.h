#pragma once

// The undoable steps of the list commands: add, modify, remove, move, duplicate. A step holds
// only what it changed (the records it added, removed or replaced, or the row it moved) and
// the rows selected before and after it, and changes the document only through the
// ScheduleModel, so undo and redo bring back the document and the selection as they were.

#include "ScheduleSelection.h"

#include <QUndoCommand>
#include <vector>

namespace nerav {

struct CaptionTable;
class ScheduleModel;

enum class StepKind { Add, Modify, Remove, MoveUp, MoveDown, Duplicate, DuplicateToDays };

// The caption of the command that makes such a step, without its access key or dots.
QString StepName(StepKind kind, const CaptionTable &captions);

// A step named after its kind. Without its own changes it is a group: its child steps are done
// in order and undone in reverse, as one step.
class ScheduleStep : public QUndoCommand
{
public:
    ScheduleStep(StepKind kind, const CaptionTable &captions, QUndoCommand *parent = nullptr);

    StepKind kind() const { return m_kind; }
    // The step's text in the language shown now.
    void retitle(const CaptionTable &captions);

private:
    StepKind m_kind;
};

// Inserts records at row (the end of the list for a new record) as one step of kind.
template<class Record>
ScheduleStep *MakeInsertStep(ScheduleModel &model, ScheduleList list, int owner, int row,
                             std::vector<Record> records, StepKind kind = StepKind::Add,
                             QUndoCommand *parent = nullptr);

// Replaces the record at row; for an advance schedule only its date/time window changes.
template<class Record>
ScheduleStep *MakeModifyStep(ScheduleModel &model, ScheduleList list, int owner, int row,
                             const Record &record);

template<class Record>
ScheduleStep *MakeRemoveStep(ScheduleModel &model, ScheduleList list, int owner, int row);

// Moves the record at from so that it ends at index to: Move Up or Move Down by direction.
ScheduleStep *MakeMoveStep(ScheduleModel &model, ScheduleList list, int owner, int from, int to);

} // namespace nerav
