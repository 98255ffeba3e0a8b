// The Add, Modify, Move Up, Move Down and Remove commands of the three lists, and the Help menu.
// Each list command that changes the document pushes one step onto the undo history.

#include "AboutCompanyForm.h"
#include "AboutNeravScheduleGeneratorForm.h"
#include "AdvanceScheduleEditForm.h"
#include "ListKeys.h"
#include "MainForm.h"
#include "MessageBoxes.h"
#include "RowFormat.h"
#include "ScheduleEditForm.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QUndoStack>

namespace nerav {

void MainForm::connectListCommands()
{
    const auto connectButtons = [this](const ListButtons &buttons, void (MainForm::*add)(),
                                       void (MainForm::*modify)(), void (MainForm::*moveUp)(),
                                       void (MainForm::*moveDown)(), void (MainForm::*remove)()) {
        connect(buttons.add, &QPushButton::clicked, this, add);
        connect(buttons.modify, &QPushButton::clicked, this, modify);
        connect(buttons.moveUp, &QPushButton::clicked, this, moveUp);
        connect(buttons.moveDown, &QPushButton::clicked, this, moveDown);
        connect(buttons.remove, &QPushButton::clicked, this, remove);
    };
    connectButtons(m_normalButtons, &MainForm::NormalAddCmd_Click, &MainForm::NormalModifyCmd_Click,
                   &MainForm::NormalMoveUpCmd_Click, &MainForm::NormalMoveDownCmd_Click,
                   &MainForm::NormalRemoveCmd_Click);
    connectButtons(m_advanceButtons, &MainForm::AdvanceAddCmd_Click,
                   &MainForm::AdvanceModifyCmd_Click, &MainForm::AdvanceMoveUpCmd_Click,
                   &MainForm::AdvanceMoveDownCmd_Click, &MainForm::AdvanceRemoveCmd_Click);
    connectButtons(m_detailButtons, &MainForm::DetailAddCmd_Click, &MainForm::DetailModifyCmd_Click,
                   &MainForm::DetailMoveUpCmd_Click, &MainForm::DetailMoveDownCmd_Click,
                   &MainForm::DetailRemoveCmd_Click);

    connect(subAboutNeravScheduleGenerator, &QAction::triggered, this,
            &MainForm::subAboutNeravScheduleGenerator_Click);
    connect(subAboutCompany, &QAction::triggered, this, &MainForm::subAboutCompany_Click);

    // Keys and double clicks on the rows run the commands of the list's buttons.
    using Command = void (MainForm::*)();
    const auto keys = [this](QListWidget *list, const ListButtons &buttons, Command modify,
                             Command remove, Command moveUp, Command moveDown) {
        const auto run = [this](Command command) {
            return [this, command] { (this->*command)(); };
        };
        m_listWatchers.push_back(new ListKeys(list,
                                              {{buttons.modify, run(modify)},
                                               {buttons.remove, run(remove)},
                                               {buttons.moveUp, run(moveUp)},
                                               {buttons.moveDown, run(moveDown)}}));
    };
    keys(NormalList, m_normalButtons, &MainForm::NormalModifyCmd_Click,
         &MainForm::NormalRemoveCmd_Click, &MainForm::NormalMoveUpCmd_Click,
         &MainForm::NormalMoveDownCmd_Click);
    keys(AdvanceList, m_advanceButtons, &MainForm::AdvanceModifyCmd_Click,
         &MainForm::AdvanceRemoveCmd_Click, &MainForm::AdvanceMoveUpCmd_Click,
         &MainForm::AdvanceMoveDownCmd_Click);
    keys(DetailList, m_detailButtons, &MainForm::DetailModifyCmd_Click,
         &MainForm::DetailRemoveCmd_Click, &MainForm::DetailMoveUpCmd_Click,
         &MainForm::DetailMoveDownCmd_Click);
}

std::optional<ScheduleEntry> MainForm::EditEntry(const std::optional<ScheduleEntry> &entry,
                                                 int owner)
{
    ScheduleEditForm editor(m_context, entry, this);
    editor.setPlace([this, owner] {
        const CaptionTable &captions = m_context.text.captions;
        if (owner < 0 || owner >= m_context.document.advanceCount())
            return captions.entryEditorForBasic.arg(captions.entryEditorTitle);
        const AdvanceSchedule &schedule = m_context.document.advanceSchedules[std::size_t(owner)];
        return captions.entryEditorForAdvance.arg(captions.entryEditorTitle)
                .arg(owner + 1)
                .arg(FormatWindowStart(schedule), FormatWindowStop(schedule),
                     captions.weekDayName(schedule.weekDay));
    });
    if (editor.exec() != QDialog::Accepted)
        return std::nullopt;
    return editor.entry();
}

std::optional<AdvanceSchedule> MainForm::EditAdvance(const std::optional<AdvanceSchedule> &schedule)
{
    AdvanceScheduleEditForm editor(m_context, schedule, this);
    if (editor.exec() != QDialog::Accepted)
        return std::nullopt;
    return editor.schedule();
}

int MainForm::SelectedDetailOwner() const
{
    const int owner = AdvanceList->currentRow();
    return owner >= 0 && owner < m_context.document.advanceCount() ? owner : -1;
}

// Modify edits the selected row; with none, the first row becomes selected.
int MainForm::SelectFirstRowIfNone(QListWidget *list)
{
    if (list->currentRow() < 0 && list->count() > 0)
        list->setCurrentRow(0);
    return list->currentRow();
}

void MainForm::PushStep(EditStep *step)
{
    m_history->push(step);
}

void MainForm::NormalAddCmd_Click()
{
    ScheduleDocument &document = m_context.document;
    if (document.basicCount() >= MaxBasicEntries) {
        ShowMessage(this, m_context.text.messages.msgTooManyBasic);
        return;
    }
    if (const std::optional<ScheduleEntry> added = EditEntry(std::nullopt, -1))
        PushStep(MakeAddStep(document, *this, ScheduleList::Basic, -1, document.basicCount(),
                             *added));
}

void MainForm::NormalModifyCmd_Click()
{
    ScheduleDocument &document = m_context.document;
    const int row = SelectFirstRowIfNone(NormalList);
    if (row < 0 || row >= document.basicCount())
        return;
    const ScheduleEntry &stored = document.basicEntries[std::size_t(row)];
    const std::optional<ScheduleEntry> edited = EditEntry(stored, -1);
    // OK without a change is no change of the document.
    if (edited && *edited != stored)
        PushStep(MakeModifyStep(document, *this, ScheduleList::Basic, -1, row, *edited));
}

void MainForm::NormalMoveUpCmd_Click()
{
    MoveRow<ScheduleEntry>(NormalList, ScheduleList::Basic, -1, m_context.document.basicCount(),
                           StepKind::MoveUp);
}

void MainForm::NormalMoveDownCmd_Click()
{
    MoveRow<ScheduleEntry>(NormalList, ScheduleList::Basic, -1, m_context.document.basicCount(),
                           StepKind::MoveDown);
}

void MainForm::NormalRemoveCmd_Click()
{
    RemoveRow<ScheduleEntry>(NormalList, ScheduleList::Basic, -1, m_context.document.basicCount());
}

void MainForm::AdvanceAddCmd_Click()
{
    ScheduleDocument &document = m_context.document;
    if (document.advanceCount() >= MaxAdvanceSchedules) {
        ShowMessage(this, m_context.text.messages.msgTooManyAdvance);
        return;
    }
    if (const std::optional<AdvanceSchedule> added = EditAdvance(std::nullopt))
        PushStep(MakeAddStep(document, *this, ScheduleList::Advance, -1, document.advanceCount(),
                             *added));
}

void MainForm::AdvanceModifyCmd_Click()
{
    ScheduleDocument &document = m_context.document;
    const int row = SelectFirstRowIfNone(AdvanceList);
    if (row < 0 || row >= document.advanceCount())
        return;
    const AdvanceSchedule &stored = document.advanceSchedules[std::size_t(row)];
    const std::optional<AdvanceSchedule> edited = EditAdvance(stored);
    if (edited && *edited != stored)
        PushStep(MakeModifyStep(document, *this, ScheduleList::Advance, -1, row, *edited));
}

void MainForm::AdvanceMoveUpCmd_Click()
{
    MoveRow<AdvanceSchedule>(AdvanceList, ScheduleList::Advance, -1,
                             m_context.document.advanceCount(), StepKind::MoveUp);
}

void MainForm::AdvanceMoveDownCmd_Click()
{
    MoveRow<AdvanceSchedule>(AdvanceList, ScheduleList::Advance, -1,
                             m_context.document.advanceCount(), StepKind::MoveDown);
}

void MainForm::AdvanceRemoveCmd_Click()
{
    RemoveRow<AdvanceSchedule>(AdvanceList, ScheduleList::Advance, -1,
                               m_context.document.advanceCount());
}

void MainForm::DetailAddCmd_Click()
{
    ScheduleDocument &document = m_context.document;
    const int owner = SelectedDetailOwner();
    if (owner < 0)
        return;
    const int count = document.advanceSchedules[std::size_t(owner)].detailCount();
    if (count >= MaxDetailsPerSchedule) {
        ShowMessage(this, m_context.text.messages.msgTooManyDetails);
        return;
    }
    if (const std::optional<ScheduleEntry> added = EditEntry(std::nullopt, owner))
        PushStep(MakeAddStep(document, *this, ScheduleList::Detail, owner, count, *added));
}

void MainForm::DetailModifyCmd_Click()
{
    ScheduleDocument &document = m_context.document;
    const int owner = SelectedDetailOwner();
    if (owner < 0)
        return;
    const std::vector<ScheduleEntry> &details =
            document.advanceSchedules[std::size_t(owner)].details;
    const int row = SelectFirstRowIfNone(DetailList);
    if (row < 0 || row >= int(details.size()))
        return;
    const std::optional<ScheduleEntry> edited = EditEntry(details[std::size_t(row)], owner);
    if (edited && *edited != details[std::size_t(row)])
        PushStep(MakeModifyStep(document, *this, ScheduleList::Detail, owner, row, *edited));
}

void MainForm::DetailMoveUpCmd_Click()
{
    const int owner = SelectedDetailOwner();
    if (owner >= 0)
        MoveRow<ScheduleEntry>(
                DetailList, ScheduleList::Detail, owner,
                m_context.document.advanceSchedules[std::size_t(owner)].detailCount(),
                StepKind::MoveUp);
}

void MainForm::DetailMoveDownCmd_Click()
{
    const int owner = SelectedDetailOwner();
    if (owner >= 0)
        MoveRow<ScheduleEntry>(
                DetailList, ScheduleList::Detail, owner,
                m_context.document.advanceSchedules[std::size_t(owner)].detailCount(),
                StepKind::MoveDown);
}

void MainForm::DetailRemoveCmd_Click()
{
    const int owner = SelectedDetailOwner();
    if (owner >= 0)
        RemoveRow<ScheduleEntry>(
                DetailList, ScheduleList::Detail, owner,
                m_context.document.advanceSchedules[std::size_t(owner)].detailCount());
}

template<class Record>
void MainForm::MoveRow(QListWidget *list, ScheduleList which, int owner, int count,
                       StepKind direction)
{
    const int k = list->currentRow();
    const int other = direction == StepKind::MoveUp ? k - 1 : k + 1;
    if (k < 0 || k >= count || other < 0 || other >= count)
        return;
    PushStep(MakeMoveStep<Record>(m_context.document, *this, which, owner, k, direction));
}

template<class Record>
void MainForm::RemoveRow(QListWidget *list, ScheduleList which, int owner, int count)
{
    const int k = list->currentRow();
    if (k < 0 || k >= count)
        return;
    PushStep(MakeRemoveStep<Record>(m_context.document, *this, which, owner, k));
}

void MainForm::subAboutNeravScheduleGenerator_Click()
{
    AboutNeravScheduleGeneratorForm about(m_context, this);
    about.exec();
}

void MainForm::subAboutCompany_Click()
{
    AboutCompanyForm about(m_context, this);
    about.exec();
}

} // namespace nerav
