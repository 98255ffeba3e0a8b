// Duplicate and Duplicate to Other Days, and the context menu of each list's rows that offers
// them beside the list's own commands. Each command is one undoable step.

#include "DuplicateDaysForm.h"
#include "MainForm.h"
#include "MessageBoxes.h"

#include <QAction>
#include <QEvent>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace nerav {

namespace {

// Remembers the list that last had the focus, for the Edit menu.
class FocusWatch : public QObject
{
public:
    FocusWatch(QListWidget *list, QListWidget *&active) : QObject(list), m_active(active)
    {
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn)
            m_active = static_cast<QListWidget *>(watched);
        return false;
    }

private:
    QListWidget *&m_active;
};

} // namespace

void MainForm::connectDuplicateCommands()
{
    m_activeList = NormalList;
    for (QListWidget *list : {NormalList, AdvanceList, DetailList}) {
        m_listWatchers.push_back(new FocusWatch(list, m_activeList));
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QListWidget::customContextMenuRequested, this,
                [this, list](const QPoint &position) { ShowListMenu(list, position); });
    }
    connect(subDuplicate, &QAction::triggered, this, &MainForm::subDuplicate_Click);
    connect(subDuplicateToDays, &QAction::triggered, this, &MainForm::subDuplicateToDays_Click);
    connect(subEdit, &QMenu::aboutToShow, this, &MainForm::UpdateDuplicateActions);
}

void MainForm::UpdateDuplicateActions()
{
    subDuplicate->setEnabled(m_activeList && m_activeList->currentRow() >= 0);
    subDuplicateToDays->setEnabled(AdvanceList->currentRow() >= 0);
}

void MainForm::ShowListMenu(QListWidget *list, const QPoint &position)
{
    // The row under the pointer becomes the one the commands act on.
    if (QListWidgetItem *item = list->itemAt(position))
        list->setCurrentItem(item);
    m_activeList = list;
    const ListButtons &buttons = list == NormalList ? m_normalButtons
            : list == AdvanceList                   ? m_advanceButtons
                                                    : m_detailButtons;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ListMenu"));
    const CaptionTable &captions = m_context.text.captions;
    const std::pair<QPushButton *, const QString *> commands[] = {
            {buttons.add, &captions.addMenuItem},
            {buttons.modify, &captions.modifyMenuItem},
            {buttons.remove, &captions.removeMenuItem},
            {buttons.moveUp, &captions.moveUpMenuItem},
            {buttons.moveDown, &captions.moveDownMenuItem}};
    for (const auto &[button, caption] : commands) {
        QAction *item = menu.addAction(*caption, button, &QPushButton::click);
        item->setObjectName(QStringLiteral("menu") + button->objectName());
        item->setEnabled(button->isEnabled() && (button == buttons.add || list->currentRow() >= 0));
    }
    menu.addSeparator();
    QAction *duplicate =
            menu.addAction(captions.duplicateMenuItem, this, [this, list] { DuplicateRow(list); });
    duplicate->setObjectName(QStringLiteral("menuDuplicate"));
    duplicate->setEnabled(list->currentRow() >= 0);
    if (list == AdvanceList) {
        QAction *toDays = menu.addAction(captions.duplicateToDaysMenuItem, this,
                                         &MainForm::subDuplicateToDays_Click);
        toDays->setObjectName(QStringLiteral("menuDuplicateToDays"));
        toDays->setEnabled(list->currentRow() >= 0);
    }
    menu.exec(list->viewport()->mapToGlobal(position));
}

void MainForm::subDuplicate_Click()
{
    if (m_activeList)
        DuplicateRow(m_activeList);
}

void MainForm::DuplicateRow(QListWidget *list)
{
    ScheduleDocument &document = m_context.document;
    const MessageTable &messages = m_context.text.messages;
    const int row = list->currentRow();
    if (list == NormalList) {
        if (row < 0 || row >= document.basicCount())
            return;
        if (document.basicCount() >= MaxBasicEntries)
            return ShowMessage(this, messages.msgTooManyBasic);
        PushStep(MakeInsertStep(document, *this, ScheduleList::Basic, -1, row + 1,
                                std::vector {document.basicEntries[std::size_t(row)]},
                                StepKind::Duplicate));
    } else if (list == AdvanceList) {
        if (row < 0 || row >= document.advanceCount())
            return;
        if (document.advanceCount() >= MaxAdvanceSchedules)
            return ShowMessage(this, messages.msgTooManyAdvance);
        PushStep(MakeInsertStep(document, *this, ScheduleList::Advance, -1, row + 1,
                                std::vector {document.advanceSchedules[std::size_t(row)]},
                                StepKind::Duplicate));
    } else {
        const int owner = SelectedDetailOwner();
        if (owner < 0)
            return;
        const std::vector<ScheduleEntry> &details =
                document.advanceSchedules[std::size_t(owner)].details;
        if (row < 0 || row >= int(details.size()))
            return;
        if (int(details.size()) >= MaxDetailsPerSchedule)
            return ShowMessage(this, messages.msgTooManyDetails);
        PushStep(MakeInsertStep(document, *this, ScheduleList::Detail, owner, row + 1,
                                std::vector {details[std::size_t(row)]}, StepKind::Duplicate));
    }
}

void MainForm::subDuplicateToDays_Click()
{
    ScheduleDocument &document = m_context.document;
    const int row = AdvanceList->currentRow();
    if (row < 0 || row >= document.advanceCount())
        return;
    if (document.advanceCount() >= MaxAdvanceSchedules)
        return ShowMessage(this, m_context.text.messages.msgTooManyAdvance);
    const AdvanceSchedule original = document.advanceSchedules[std::size_t(row)];
    DuplicateDaysForm chooser(m_context, original.weekDay, this);
    if (chooser.exec() != QDialog::Accepted)
        return;
    std::vector<AdvanceSchedule> copies;
    for (int day : chooser.days()) {
        copies.push_back(original);
        copies.back().weekDay = std::uint8_t(day);
    }
    const int total = document.advanceCount() + int(copies.size());
    if (total > MaxAdvanceSchedules)
        return ShowMessage(this,
                           m_context.text.messages.msgTooManyCopies.arg(copies.size()).arg(total));
    if (!copies.empty())
        PushStep(MakeInsertStep(document, *this, ScheduleList::Advance, -1, row + 1,
                                std::move(copies), StepKind::DuplicateToDays));
}

} // namespace nerav
