#include "EditSteps.h"

#include <algorithm>
#include <utility>

namespace nerav {

namespace {

std::vector<AdvanceSchedule> &RecordsOf(ScheduleDocument &document, ScheduleList, int,
                                        const AdvanceSchedule *)
{
    return document.advanceSchedules;
}

std::vector<ScheduleEntry> &RecordsOf(ScheduleDocument &document, ScheduleList list, int owner,
                                      const ScheduleEntry *)
{
    if (list == ScheduleList::Basic)
        return document.basicEntries;
    return document.advanceSchedules[std::size_t(owner)].details;
}

template<class Record>
std::vector<Record> &Records(ScheduleDocument &document, ScheduleList list, int owner)
{
    return RecordsOf(document, list, owner, static_cast<const Record *>(nullptr));
}

// The part of a record that a Modify step changes: the whole entry, or a schedule's window.
void Assign(ScheduleEntry &target, const ScheduleEntry &value)
{
    target = value;
}

void Assign(AdvanceSchedule &target, const AdvanceSchedule &value)
{
    std::vector<ScheduleEntry> details = std::move(target.details);
    target = value;
    target.details = std::move(details);
}

ScheduleEntry ModifiedPart(const ScheduleEntry &record)
{
    return record;
}

AdvanceSchedule ModifiedPart(const AdvanceSchedule &record)
{
    AdvanceSchedule window = record;
    window.details.clear();
    window.details.shrink_to_fit();
    return window;
}

int &RowOf(ListSelection &selection, ScheduleList list)
{
    switch (list) {
    case ScheduleList::Basic:
        return selection.normal;
    case ScheduleList::Advance:
        return selection.advance;
    case ScheduleList::Detail:
        break;
    }
    return selection.detail;
}

template<class Record>
class RecordStep : public EditStep
{
protected:
    using EditStep::EditStep;

    std::vector<Record> &records() { return Records<Record>(m_document, m_list, m_owner); }

    // before, with row selected in the changed list; a newly selected schedule shows its
    // details from the first.
    ListSelection Selecting(int row) const
    {
        ListSelection selection = m_before;
        RowOf(selection, m_list) = row;
        if (m_list == ScheduleList::Advance && row != m_before.advance)
            selection.detail = FirstDetailRow(row);
        return selection;
    }
};

template<class Record>
class AddStep final : public RecordStep<Record>
{
public:
    AddStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner, int index,
            std::vector<Record> records, StepKind kind)
        : RecordStep<Record>(document, view, list, owner, kind),
          m_index(index),
          m_records(std::move(records))
    {
    }

private:
    RowChange Apply() override
    {
        auto &records = this->records();
        records.insert(records.begin() + m_index, m_records.begin(), m_records.end());
        return {RowChange::Insert, m_index, -1, -1, count()};
    }
    RowChange Revert() override
    {
        auto &records = this->records();
        records.erase(records.begin() + m_index, records.begin() + m_index + count());
        return {RowChange::Remove, m_index, -1, -1, count()};
    }
    ListSelection SelectionAfter() const override
    {
        ListSelection selection = this->Selecting(m_index);
        if (this->m_list == ScheduleList::Advance)
            selection.detail = this->FirstDetailRow(m_index);
        return selection;
    }
    int count() const { return int(m_records.size()); }

    int m_index;
    std::vector<Record> m_records;
};

template<class Record>
class ModifyStep final : public RecordStep<Record>
{
public:
    ModifyStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner, int index,
               const Record &record)
        : RecordStep<Record>(document, view, list, owner, StepKind::Modify),
          m_index(index),
          m_old(ModifiedPart(this->records()[std::size_t(index)])),
          m_new(ModifiedPart(record))
    {
    }

private:
    RowChange Apply() override
    {
        Assign(this->records()[std::size_t(m_index)], m_new);
        return {RowChange::Update, m_index};
    }
    RowChange Revert() override
    {
        Assign(this->records()[std::size_t(m_index)], m_old);
        return {RowChange::Update, m_index};
    }
    ListSelection SelectionAfter() const override { return this->Selecting(m_index); }

    int m_index;
    Record m_old;
    Record m_new;
};

template<class Record>
class RemoveStep final : public RecordStep<Record>
{
public:
    RemoveStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner, int index)
        : RecordStep<Record>(document, view, list, owner, StepKind::Remove), m_index(index)
    {
    }

private:
    RowChange Apply() override
    {
        auto &records = this->records();
        m_record = std::move(records[std::size_t(m_index)]);
        records.erase(records.begin() + m_index);
        return {RowChange::Remove, m_index};
    }
    RowChange Revert() override
    {
        auto &records = this->records();
        records.insert(records.begin() + m_index, std::move(m_record));
        m_record = Record {};
        return {RowChange::Insert, m_index};
    }
    ListSelection SelectionAfter() const override
    {
        const int count =
                int(Records<Record>(this->m_document, this->m_list, this->m_owner).size());
        const int row = count == 0 ? -1 : std::min(m_index, count - 1);
        ListSelection selection = this->Selecting(row);
        // The same row number now holds the next schedule: its details come up.
        if (this->m_list == ScheduleList::Advance)
            selection.detail = this->FirstDetailRow(row);
        return selection;
    }

    int m_index;
    Record m_record; // held while the step is done
};

template<class Record>
class MoveStep final : public RecordStep<Record>
{
public:
    MoveStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner, int index,
             StepKind direction)
        : RecordStep<Record>(document, view, list, owner, direction),
          m_index(index),
          m_other(direction == StepKind::MoveUp ? index - 1 : index + 1)
    {
    }

private:
    RowChange Apply() override
    {
        auto &records = this->records();
        std::swap(records[std::size_t(m_index)], records[std::size_t(m_other)]);
        return {RowChange::Swap, m_index, m_other};
    }
    RowChange Revert() override { return Apply(); }
    ListSelection SelectionAfter() const override { return this->Selecting(m_other); }

    int m_index;
    int m_other;
};

} // namespace

EditStep::EditStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
                   StepKind kind)
    : m_document(document),
      m_list(list),
      m_owner(owner),
      m_before(view.CurrentSelection()),
      m_view(view),
      m_kind(kind)
{
}

void EditStep::redo()
{
    RowChange change = Apply();
    change.owner = m_owner;
    if (!m_applied) {
        m_after = SelectionAfter();
        m_applied = true;
    }
    m_view.ShowStep(m_list, change, m_after);
}

void EditStep::undo()
{
    RowChange change = Revert();
    change.owner = m_owner;
    m_view.ShowStep(m_list, change, m_before);
}

int EditStep::FirstDetailRow(int advance) const
{
    if (advance < 0 || advance >= int(m_document.advanceSchedules.size()))
        return -1;
    return m_document.advanceSchedules[std::size_t(advance)].details.empty() ? -1 : 0;
}

template<class Record>
EditStep *MakeAddStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
                      int index, const Record &record)
{
    return new AddStep<Record>(document, view, list, owner, index, {record}, StepKind::Add);
}

template<class Record>
EditStep *MakeInsertStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
                         int index, std::vector<Record> records, StepKind kind)
{
    return new AddStep<Record>(document, view, list, owner, index, std::move(records), kind);
}

template<class Record>
EditStep *MakeModifyStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
                         int index, const Record &record)
{
    return new ModifyStep<Record>(document, view, list, owner, index, record);
}

template<class Record>
EditStep *MakeRemoveStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
                         int index)
{
    return new RemoveStep<Record>(document, view, list, owner, index);
}

template<class Record>
EditStep *MakeMoveStep(ScheduleDocument &document, StepView &view, ScheduleList list, int owner,
                       int index, StepKind direction)
{
    return new MoveStep<Record>(document, view, list, owner, index, direction);
}

#define NERAV_STEP_MAKERS(Record)                                                                  \
    template EditStep *MakeAddStep<Record>(ScheduleDocument &, StepView &, ScheduleList, int, int, \
                                           const Record &);                                        \
    template EditStep *MakeInsertStep<Record>(ScheduleDocument &, StepView &, ScheduleList, int,   \
                                              int, std::vector<Record>, StepKind);                 \
    template EditStep *MakeModifyStep<Record>(ScheduleDocument &, StepView &, ScheduleList, int,   \
                                              int, const Record &);                                \
    template EditStep *MakeRemoveStep<Record>(ScheduleDocument &, StepView &, ScheduleList, int,   \
                                              int);                                                \
    template EditStep *MakeMoveStep<Record>(ScheduleDocument &, StepView &, ScheduleList, int,     \
                                            int, StepKind);
NERAV_STEP_MAKERS(ScheduleEntry)
NERAV_STEP_MAKERS(AdvanceSchedule)
#undef NERAV_STEP_MAKERS

} // namespace nerav
