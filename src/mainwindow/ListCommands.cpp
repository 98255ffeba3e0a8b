// The Add, Modify, Move Up, Move Down and Remove commands of the three lists, and the Help menu.

#include "AboutCompanyForm.h"
#include "AboutNeravScheduleGeneratorForm.h"
#include "AdvanceScheduleEditForm.h"
#include "MainForm.h"
#include "MessageBoxes.h"
#include "ScheduleEditForm.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <utility>

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
}

void MainForm::ShowEntryEditor()
{
    // A fresh editor for each showing, so it loads from the lists as they are now.
    ScheduleEditForm editor(m_context, Lists(), this);
    editor.exec();
    emit documentChanged();
}

void MainForm::ShowAdvanceEditor()
{
    AdvanceScheduleEditForm editor(m_context, Lists(), this);
    editor.exec();
    emit documentChanged();
}

AdvanceSchedule *MainForm::SelectedDetailOwner()
{
    const int owner = AdvanceList->currentRow();
    if (owner < 0 || owner >= m_context.document.advanceCount())
        return nullptr;
    return &m_context.document.advanceSchedules[std::size_t(owner)];
}

void MainForm::NormalAddCmd_Click()
{
    m_context.document.editMode = EditAddBasic;
    if (m_context.document.basicCount() > MaxBasicEntries - 1) {
        ShowMessage(this, m_context.text.messages.msgTooManyBasic);
        return;
    }
    ShowEntryEditor();
}

void MainForm::NormalModifyCmd_Click()
{
    m_context.document.editMode = EditModifyBasic;
    ShowEntryEditor();
}

void MainForm::NormalMoveUpCmd_Click()
{
    MoveRowUp(NormalList, m_context.document.basicEntries);
}

void MainForm::NormalMoveDownCmd_Click()
{
    MoveRowDown(NormalList, m_context.document.basicEntries);
}

void MainForm::NormalRemoveCmd_Click()
{
    RemoveRow(NormalList, m_context.document.basicEntries);
}

void MainForm::AdvanceAddCmd_Click()
{
    m_context.document.editMode = EditAddBasic;
    if (m_context.document.advanceCount() > MaxAdvanceSchedules - 1) {
        ShowMessage(this, m_context.text.messages.msgTooManyBasic);
        return;
    }
    ShowAdvanceEditor();
}

void MainForm::AdvanceModifyCmd_Click()
{
    m_context.document.editMode = EditModifyBasic;
    ShowAdvanceEditor();
}

void MainForm::AdvanceMoveUpCmd_Click()
{
    MoveRowUp(AdvanceList, m_context.document.advanceSchedules);
}

void MainForm::AdvanceMoveDownCmd_Click()
{
    MoveRowDown(AdvanceList, m_context.document.advanceSchedules);
}

void MainForm::AdvanceRemoveCmd_Click()
{
    RemoveRow(AdvanceList, m_context.document.advanceSchedules);
}

void MainForm::DetailAddCmd_Click()
{
    m_context.document.editMode = EditAddDetail;
    const AdvanceSchedule *owner = SelectedDetailOwner();
    if (!owner)
        return;
    if (owner->detailCount() > MaxDetailsPerSchedule - 1) {
        ShowMessage(this, m_context.text.messages.msgTooManyBasic);
        return;
    }
    ShowEntryEditor();
}

void MainForm::DetailModifyCmd_Click()
{
    m_context.document.editMode = EditModifyDetail;
    if (SelectedDetailOwner())
        ShowEntryEditor();
}

void MainForm::DetailMoveUpCmd_Click()
{
    if (AdvanceSchedule *owner = SelectedDetailOwner())
        MoveRowUp(DetailList, owner->details);
}

void MainForm::DetailMoveDownCmd_Click()
{
    if (AdvanceSchedule *owner = SelectedDetailOwner())
        MoveRowDown(DetailList, owner->details);
}

void MainForm::DetailRemoveCmd_Click()
{
    if (AdvanceSchedule *owner = SelectedDetailOwner())
        RemoveRow(DetailList, owner->details);
}

// The records change before the selection does: selecting an AdvanceList row rebuilds
// DetailList from the document at once.
template<class Record>
void MainForm::MoveRowUp(QListWidget *list, std::vector<Record> &records)
{
    const int k = list->currentRow();
    const int n = list->count();
    if (k <= 0 || n <= 1 || k >= int(records.size()))
        return;
    std::swap(records[std::size_t(k)], records[std::size_t(k - 1)]);
    const QString text = list->item(k)->text();
    list->item(k)->setText(list->item(k - 1)->text());
    list->item(k - 1)->setText(text);
    list->setCurrentRow(k - 1);
    emit documentChanged();
}

template<class Record>
void MainForm::MoveRowDown(QListWidget *list, std::vector<Record> &records)
{
    const int k = list->currentRow();
    const int n = list->count();
    if (k < 0 || k >= n - 1 || n <= 1 || k + 1 >= int(records.size()))
        return;
    std::swap(records[std::size_t(k)], records[std::size_t(k + 1)]);
    const QString text = list->item(k)->text();
    list->item(k)->setText(list->item(k + 1)->text());
    list->item(k + 1)->setText(text);
    list->setCurrentRow(k + 1);
    emit documentChanged();
}

template<class Record>
void MainForm::RemoveRow(QListWidget *list, std::vector<Record> &records)
{
    const int k = list->currentRow();
    const int n = list->count();
    if (k < 0 || n < 1 || k >= int(records.size()))
        return;
    records.erase(records.begin() + k);
    for (int i = k; i < n - 1; ++i)
        list->item(i)->setText(list->item(i + 1)->text());
    delete list->takeItem(n - 1);
    if (list->count() > 0)
        list->setCurrentRow(qMin(k, list->count() - 1));
    AfterRowRemoved(list, k);
    ButtonStatusSetup();
    emit documentChanged();
}

void MainForm::AfterRowRemoved(QListWidget *list, int removedRow)
{
    if (list != AdvanceList)
        return;
    if (AdvanceList->count() == 0) {
        DetailList->clear();
        return;
    }
    // The same row number now shows the next schedule; the list reports no change of row, so
    // its details are brought up here.
    if (AdvanceList->currentRow() == removedRow)
        AdvanceList_Click();
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
