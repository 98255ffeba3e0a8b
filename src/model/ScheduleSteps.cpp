#include "ScheduleSteps.h"

#include "InterfaceText.h"
#include "ScheduleModel.h"

#include <QRegularExpression>
#include <algorithm>

namespace nerav {

QString StepName(StepKind kind, const CaptionTable &captions)
{
    QString name;
    switch (kind) {
    case StepKind::Add:
        name = captions.addCommand;
        break;
    case StepKind::Modify:
        name = captions.modifyCommand;
        break;
    case StepKind::Remove:
        name = captions.removeCommand;
        break;
    case StepKind::MoveUp:
        name = captions.moveUpCommand;
        break;
    case StepKind::MoveDown:
        name = captions.moveDownCommand;
        break;
    case StepKind::Duplicate:
        name = captions.duplicateCommand;
        break;
    case StepKind::DuplicateToDays:
        name = captions.duplicateToDaysCommand;
        break;
    }
    // "追加(&A)" and "&Add..." both become the plain word.
    name.remove(QRegularExpression(QStringLiteral("\\(&.\\)|\\.\\.\\.$")));
    return name.remove(QLatin1Char('&'));
}

ScheduleStep::ScheduleStep(StepKind kind, const CaptionTable &captions, QUndoCommand *parent)
    : QUndoCommand(parent), m_kind(kind)
{
    retitle(captions);
}

void ScheduleStep::retitle(const CaptionTable &captions)
{
    setText(StepName(m_kind, captions));
}

namespace {

// A step that changes one list: it applies or reverts its change, then selects the rows
// before or after it.
class RecordStep : public ScheduleStep
{
public:
    void redo() final
    {
        apply();
        if (!m_applied) {
            m_after = selectionAfter();
            m_applied = true;
        }
        m_model.select(m_after);
    }
    void undo() final
    {
        revert();
        m_model.select(m_before);
    }

protected:
    RecordStep(ScheduleModel &model, ScheduleList list, int owner, StepKind kind,
               QUndoCommand *parent = nullptr)
        : ScheduleStep(kind, model.text().captions, parent),
          m_model(model),
          m_list(list),
          m_owner(owner),
          m_before(model.selection())
    {
    }

    virtual void apply() = 0;
    virtual void revert() = 0;
    virtual ListSelection selectionAfter() const = 0;

    // The first row of the details of the schedule at advance; -1 when it has none.
    int firstDetailRow(int advance) const
    {
        const auto &schedules = m_model.document().advanceSchedules;
        if (advance < 0 || advance >= int(schedules.size()))
            return -1;
        return schedules[std::size_t(advance)].details.empty() ? -1 : 0;
    }

    // The selection before, with row selected in the changed list; a newly selected schedule
    // shows its details from the first.
    ListSelection selecting(int row) const
    {
        ListSelection selection = m_before;
        selection.row(m_list) = row;
        if (m_list == ScheduleList::Advance && row != m_before.advance)
            selection.detail = firstDetailRow(row);
        return selection;
    }

    ScheduleModel &m_model;
    ScheduleList m_list;
    int m_owner;
    ListSelection m_before;

private:
    ListSelection m_after;
    bool m_applied = false;
};

template<class Record>
class InsertStep final : public RecordStep
{
public:
    InsertStep(ScheduleModel &model, ScheduleList list, int owner, int row,
               std::vector<Record> records, StepKind kind, QUndoCommand *parent)
        : RecordStep(model, list, owner, kind, parent), m_row(row), m_records(std::move(records))
    {
    }

private:
    void apply() override { m_model.insertRecords(m_list, m_owner, m_row, m_records); }
    void revert() override
    {
        m_model.takeRecords<Record>(m_list, m_owner, m_row, int(m_records.size()));
    }
    ListSelection selectionAfter() const override
    {
        ListSelection selection = selecting(m_row);
        if (m_list == ScheduleList::Advance)
            selection.detail = firstDetailRow(m_row);
        return selection;
    }

    int m_row;
    std::vector<Record> m_records;
};

// The part of a record that a Modify step changes: the whole entry, or a schedule's window.
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

const ScheduleEntry &Stored(const ScheduleModel &model, ScheduleList list, int owner, int row,
                            const ScheduleEntry *)
{
    const ScheduleDocument &document = model.document();
    const auto &entries = list == ScheduleList::Basic
            ? document.basicEntries
            : document.advanceSchedules[std::size_t(owner)].details;
    return entries[std::size_t(row)];
}

const AdvanceSchedule &Stored(const ScheduleModel &model, ScheduleList, int, int row,
                              const AdvanceSchedule *)
{
    return model.document().advanceSchedules[std::size_t(row)];
}

template<class Record>
class ModifyStep final : public RecordStep
{
public:
    ModifyStep(ScheduleModel &model, ScheduleList list, int owner, int row, const Record &record)
        : RecordStep(model, list, owner, StepKind::Modify),
          m_row(row),
          m_old(ModifiedPart(Stored(model, list, owner, row, &record))),
          m_new(ModifiedPart(record))
    {
    }

private:
    void apply() override { assign(m_new); }
    void revert() override { assign(m_old); }
    void assign(const ScheduleEntry &entry) { m_model.replaceEntry(m_list, m_owner, m_row, entry); }
    void assign(const AdvanceSchedule &window) { m_model.replaceWindow(m_row, window); }
    ListSelection selectionAfter() const override { return selecting(m_row); }

    int m_row;
    Record m_old;
    Record m_new;
};

template<class Record>
class RemoveStep final : public RecordStep
{
public:
    RemoveStep(ScheduleModel &model, ScheduleList list, int owner, int row)
        : RecordStep(model, list, owner, StepKind::Remove), m_row(row)
    {
    }

private:
    void apply() override { m_records = m_model.takeRecords<Record>(m_list, m_owner, m_row, 1); }
    void revert() override
    {
        m_model.insertRecords(m_list, m_owner, m_row, m_records);
        m_records.clear(); // held only while the step is done
    }
    ListSelection selectionAfter() const override
    {
        const int count = m_list == ScheduleList::Detail
                ? m_model.document().advanceSchedules[std::size_t(m_owner)].detailCount()
                : m_model.rowCount(m_list);
        const int row = count == 0 ? -1 : std::min(m_row, count - 1);
        ListSelection selection = selecting(row);
        // The same row number now holds the next schedule: its details come up.
        if (m_list == ScheduleList::Advance)
            selection.detail = firstDetailRow(row);
        return selection;
    }

    int m_row;
    std::vector<Record> m_records;
};

class MoveStep final : public RecordStep
{
public:
    MoveStep(ScheduleModel &model, ScheduleList list, int owner, int from, int to)
        : RecordStep(model, list, owner, to < from ? StepKind::MoveUp : StepKind::MoveDown),
          m_from(from),
          m_to(to)
    {
    }

private:
    void apply() override { m_model.moveRecord(m_list, m_owner, m_from, m_to); }
    void revert() override { m_model.moveRecord(m_list, m_owner, m_to, m_from); }
    ListSelection selectionAfter() const override { return selecting(m_to); }

    int m_from;
    int m_to;
};

} // namespace

template<class Record>
ScheduleStep *MakeInsertStep(ScheduleModel &model, ScheduleList list, int owner, int row,
                             std::vector<Record> records, StepKind kind, QUndoCommand *parent)
{
    return new InsertStep<Record>(model, list, owner, row, std::move(records), kind, parent);
}

template<class Record>
ScheduleStep *MakeModifyStep(ScheduleModel &model, ScheduleList list, int owner, int row,
                             const Record &record)
{
    return new ModifyStep<Record>(model, list, owner, row, record);
}

template<class Record>
ScheduleStep *MakeRemoveStep(ScheduleModel &model, ScheduleList list, int owner, int row)
{
    return new RemoveStep<Record>(model, list, owner, row);
}

ScheduleStep *MakeMoveStep(ScheduleModel &model, ScheduleList list, int owner, int from, int to)
{
    return new MoveStep(model, list, owner, from, to);
}

#define NERAV_STEP_MAKERS(Record)                                                                  \
    template ScheduleStep *MakeInsertStep<Record>(ScheduleModel &, ScheduleList, int, int,         \
                                                  std::vector<Record>, StepKind, QUndoCommand *);  \
    template ScheduleStep *MakeModifyStep<Record>(ScheduleModel &, ScheduleList, int, int,         \
                                                  const Record &);                                 \
    template ScheduleStep *MakeRemoveStep<Record>(ScheduleModel &, ScheduleList, int, int);
NERAV_STEP_MAKERS(ScheduleEntry)
NERAV_STEP_MAKERS(AdvanceSchedule)
#undef NERAV_STEP_MAKERS

} // namespace nerav
