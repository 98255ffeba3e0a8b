#include "MainForm.h"

#include "ButtonKeys.h"
#include "ColourBar.h"
#include "ListDescriptions.h"
#include "MessageBoxes.h"
#include "NeravLogo.h"
#include "RememberedSettings.h"
#include "RowFormat.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

namespace nerav {

// The column headings are pictures of fixed Japanese words in both languages.
static std::vector<ColumnHeading> entryHeadings(const QString &name, const QString &play,
                                                const QString &volume)
{
    return {{name, QStringLiteral("ファイル名"), EntryNameColumn},
            {play, QStringLiteral("再生回数"), EntryPlayTimesColumn},
            {volume, QStringLiteral("音量"), EntryVolumeColumn}};
}

MainForm::MainForm(AppContext &context, QWidget *parent) : QMainWindow(parent), m_context(context)
{
    setObjectName(QStringLiteral("MainForm"));
    // The modified mark has its place before a schedule names the window.
    setWindowTitle(QStringLiteral("[*]"));
    m_history = new QUndoStack(this);
    buildMenus();

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);

    auto *top = new QHBoxLayout;
    top->addWidget(buildFileButtons(), 0, Qt::AlignTop);
    top->addStretch();
    top->addWidget(buildBranding());
    layout->addLayout(top);

    auto *frames = new QHBoxLayout;
    NormalFrame =
            buildListFrame(QStringLiteral("NormalFrame"), NormalList, QStringLiteral("NormalList"),
                           entryHeadings(QStringLiteral("Picture1"), QStringLiteral("Picture2"),
                                         QStringLiteral("Picture3")),
                           m_normalButtons, QStringLiteral("Normal"));
    AdvanceFrame = buildListFrame(
            QStringLiteral("AdvanceFrame"), AdvanceList, QStringLiteral("AdvanceList"),
            {{QStringLiteral("Picture9"), QStringLiteral("再生開始日"), AdvanceStartColumn},
             {QStringLiteral("Picture8"), QStringLiteral("停止日"), AdvanceStopColumn},
             {QStringLiteral("Picture7"), QStringLiteral("曜日設定"), AdvanceWeekDayColumn}},
            m_advanceButtons, QStringLiteral("Advance"));
    DetailFrame =
            buildListFrame(QStringLiteral("DetailFrame"), DetailList, QStringLiteral("DetailList"),
                           entryHeadings(QStringLiteral("Picture6"), QStringLiteral("Picture5"),
                                         QStringLiteral("Picture4")),
                           m_detailButtons, QStringLiteral("Detail"));
    frames->addWidget(NormalFrame, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(AdvanceFrame, 1);
    right->addWidget(DetailFrame, 1);
    frames->addLayout(right, 1);
    layout->addLayout(frames, 1);
    setCentralWidget(central);
    m_descriptions = new ListDescriptions(m_context.document, m_context.text.captions,
                                          {NormalList, AdvanceList, DetailList}, this);

    KeepTimer = new QTimer(this);
    KeepTimer->setObjectName(QStringLiteral("KeepTimer"));
    KeepTimer->setInterval(100);
    connect(KeepTimer, &QTimer::timeout, this, &MainForm::KeepTimer_Timer);
    KeepTimer->start();

    connectCommands();
    PressFocusedButtonOnEnter(this);
}

void MainForm::buildMenus()
{
    subFile = menuBar()->addMenu(QString());
    subFile->setObjectName(QStringLiteral("subFile"));
    auto addItem = [this](QMenu *menu, QAction *&item, const char *name) {
        item = menu->addAction(QString());
        item->setObjectName(QString::fromLatin1(name));
    };
    addItem(subFile, subNew, "subNew");
    addItem(subFile, subOpen, "subOpen");
    subFile->addSeparator();
    addItem(subFile, subSave, "subSave");
    addItem(subFile, subSaveAs, "subSaveAs");
    subFile->addSeparator();
    QAction *publish = subFile->addAction(m_context.text.publish.menuCommand);
    publish->setObjectName(QStringLiteral("subPublish"));
    connect(publish, &QAction::triggered, this, &MainForm::subPublish_Click);
    subFile->addSeparator();
    addItem(subFile, subExit, "subExit");
    // Where a desktop has no standard key for a command, the common one stands in.
    const auto keys = [](QAction *item, QKeySequence::StandardKey key, const char *common) {
        const QList<QKeySequence> standard = QKeySequence::keyBindings(key);
        item->setShortcuts(standard.isEmpty() ? QList {QKeySequence(QLatin1String(common))}
                                              : standard);
    };
    keys(subNew, QKeySequence::New, "Ctrl+N");
    keys(subOpen, QKeySequence::Open, "Ctrl+O");
    keys(subSave, QKeySequence::Save, "Ctrl+S");
    keys(subSaveAs, QKeySequence::SaveAs, "Ctrl+Shift+S");
    keys(subExit, QKeySequence::Quit, "Ctrl+Q");

    subEdit = menuBar()->addMenu(QString());
    subEdit->setObjectName(QStringLiteral("subEdit"));
    addItem(subEdit, subUndo, "subUndo");
    addItem(subEdit, subRedo, "subRedo");
    subUndo->setShortcut(QKeySequence::Undo);
    subRedo->setShortcut(QKeySequence::Redo);
    subEdit->addSeparator();
    addItem(subEdit, subDuplicate, "subDuplicate");
    addItem(subEdit, subDuplicateToDays, "subDuplicateToDays");

    subView = menuBar()->addMenu(QString());
    subView->setObjectName(QStringLiteral("subView"));
    addItem(subView, subCalendar, "subCalendar");
    subView->addSeparator();
    subLanguage = subView->addMenu(QString());
    subLanguage->setObjectName(QStringLiteral("subLanguage"));
    auto *languages = new QActionGroup(this);
    // Each language is named in its own words, whichever language the window shows.
    subJapanese = languages->addAction(QStringLiteral("日本語"));
    subJapanese->setObjectName(QStringLiteral("subJapanese"));
    subEnglish = languages->addAction(QStringLiteral("English"));
    subEnglish->setObjectName(QStringLiteral("subEnglish"));
    for (QAction *item : {subJapanese, subEnglish}) {
        item->setCheckable(true);
        subLanguage->addAction(item);
    }

    subHelp = menuBar()->addMenu(QString());
    subHelp->setObjectName(QStringLiteral("subHelp"));
    addItem(subHelp, subAboutNeravScheduleGenerator, "subAboutNeravScheduleGenerator");
    addItem(subHelp, subAboutCompany, "subAboutCompany");
}

QWidget *MainForm::buildFileButtons()
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto addButton = [&](QPushButton *&button, const char *name) {
        button = new QPushButton(box);
        button->setObjectName(QString::fromLatin1(name));
        button->setMinimumWidth(96);
        row->addWidget(button);
    };
    addButton(NewCmd, "NewCmd");
    addButton(OpenCmd, "OpenCmd");
    addButton(SaveCmd, "SaveCmd");
    addButton(SaveAsCmd, "SaveAsCmd");
    addButton(ExitCmd, "ExitCmd");
    return box;
}

QWidget *MainForm::buildBranding()
{
    auto *box = new QWidget;
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto *logo = new QLabel(box);
    logo->setObjectName(QStringLiteral("NeravLogoImage"));
    logo->setPixmap(NeravLogoPixmap(QSize(192, 52)));
    Shape1 = new ColourBar(box);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFixedWidth(logo->sizeHint().width());
    column->addWidget(logo);
    column->addWidget(Shape1);
    return box;
}

QGroupBox *MainForm::buildListFrame(const QString &frameName, QListWidget *&list,
                                    const QString &listName,
                                    const std::vector<ColumnHeading> &headings,
                                    ListButtons &buttons, const QString &prefix)
{
    auto *frame = new QGroupBox;
    frame->setObjectName(frameName);

    list = new QListWidget(frame);
    list->setObjectName(listName);
    list->setFont(ListFont());
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    // Wide enough for the longest row: 21 + 5 + 3 + 5 cells and a four-cell caption.
    list->setMinimumWidth(ColumnHeadings::ColumnOffset(list, 40) + 2 * list->frameWidth() +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));

    auto *listColumn = new QVBoxLayout;
    listColumn->setSpacing(2);
    listColumn->addWidget(new ColumnHeadings(list, headings, frame));
    listColumn->addWidget(list, 1);

    auto *buttonColumn = new QVBoxLayout;
    auto addButton = [&](QPushButton *&button, const char *action) {
        button = new QPushButton(frame);
        button->setObjectName(prefix + QString::fromLatin1(action));
        button->setMinimumWidth(88);
        buttonColumn->addWidget(button);
    };
    addButton(buttons.add, "AddCmd");
    addButton(buttons.modify, "ModifyCmd");
    addButton(buttons.remove, "RemoveCmd");
    addButton(buttons.moveUp, "MoveUpCmd");
    addButton(buttons.moveDown, "MoveDownCmd");
    buttonColumn->addStretch();

    auto *row = new QHBoxLayout(frame);
    row->addLayout(listColumn, 1);
    row->addLayout(buttonColumn);
    return frame;
}

MainForm::~MainForm()
{
    // The base classes destroy the lists and the history after this part of the window is gone;
    // their signals and event filters must not reach it by then.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
    qDeleteAll(m_listWatchers);
}

void MainForm::connectCommands()
{
    connect(NewCmd, &QPushButton::clicked, this, &MainForm::NewDocument);
    connect(subNew, &QAction::triggered, this, &MainForm::NewDocument);
    connect(OpenCmd, &QPushButton::clicked, this, &MainForm::OpenDocument);
    connect(subOpen, &QAction::triggered, this, &MainForm::OpenDocument);
    connect(SaveCmd, &QPushButton::clicked, this, [this] { SaveDocument(false); });
    connect(subSave, &QAction::triggered, this, [this] { SaveDocument(false); });
    connect(SaveAsCmd, &QPushButton::clicked, this, [this] { SaveDocument(true); });
    connect(subSaveAs, &QAction::triggered, this, [this] { SaveDocument(true); });
    connect(ExitCmd, &QPushButton::clicked, this, &MainForm::close);
    connect(subExit, &QAction::triggered, this, &MainForm::close);
    connect(subUndo, &QAction::triggered, m_history, &QUndoStack::undo);
    connect(subRedo, &QAction::triggered, m_history, &QUndoStack::redo);
    connect(m_history, &QUndoStack::indexChanged, this, &MainForm::UpdateUndoActions);
    connect(m_history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    connect(subJapanese, &QAction::triggered, this, [this] { emit languageChosen(Japanese); });
    connect(subEnglish, &QAction::triggered, this, [this] { emit languageChosen(English); });
    connect(AdvanceList, &QListWidget::currentRowChanged, this, [this](int row) {
        // Emptying the list reports row -1; only a selected row brings up its details.
        if (row >= 0)
            AdvanceList_Click();
    });
    connectListCommands();
    connectDuplicateCommands();
    connectListDrops();
    connectCalendar();
}

void MainForm::InitMainFormOsd()
{
    const CaptionTable &captions = m_context.text.captions;
    subFile->setTitle(captions.fileMenu);
    subEdit->setTitle(captions.editMenu);
    subView->setTitle(captions.viewMenu);
    subLanguage->setTitle(captions.languageMenu);
    subJapanese->setChecked(m_context.text.language == Japanese);
    subEnglish->setChecked(m_context.text.language == English);
    subHelp->setTitle(captions.helpMenu);
    subCalendar->setText(captions.calendarMenuItem);
    subDuplicate->setText(captions.duplicateMenuItem);
    subDuplicateToDays->setText(captions.duplicateToDaysMenuItem);
    subNew->setText(captions.newMenuItem);
    subOpen->setText(captions.openMenuItem);
    subSave->setText(captions.saveMenuItem);
    subSaveAs->setText(captions.saveAsMenuItem);
    subExit->setText(captions.exitMenuItem);
    if (auto *publish = findChild<QAction *>(QStringLiteral("subPublish")))
        publish->setText(m_context.text.publish.menuCommand);
    subAboutNeravScheduleGenerator->setText(captions.aboutProgramMenuItem);
    subAboutCompany->setText(captions.aboutCompanyMenuItem);

    NewCmd->setText(captions.newCommand);
    OpenCmd->setText(captions.openCommand);
    SaveCmd->setText(captions.saveCommand);
    SaveAsCmd->setText(captions.saveAsCommand);
    ExitCmd->setText(captions.exitCommand);

    NormalFrame->setTitle(captions.basicSchedule);
    AdvanceFrame->setTitle(captions.advanceSchedule);
    DetailFrame->setTitle(captions.detailOfAdvance);

    setListButtonCaptions(m_normalButtons, captions);
    setListButtonCaptions(m_advanceButtons, captions);
    setListButtonCaptions(m_detailButtons, captions);
    m_descriptions->nameLists(NormalFrame->title(), AdvanceFrame->title(), DetailFrame->title());
    UpdateUndoActions();
}

void MainForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        InitMainFormOsd();
        RetextRows();
        SetDocumentTitle();
    }
    QMainWindow::changeEvent(event);
}

void MainForm::RetextRows()
{
    const ScheduleDocument &document = m_context.document;
    const CaptionTable &captions = m_context.text.captions;
    for (int row = 0; row < NormalList->count() && row < document.basicCount(); ++row)
        NormalList->item(row)->setText(
                FormatEntryRow(document.basicEntries[std::size_t(row)], captions));
    for (int row = 0; row < AdvanceList->count() && row < document.advanceCount(); ++row)
        AdvanceList->item(row)->setText(
                FormatAdvanceRow(document.advanceSchedules[std::size_t(row)], captions));
    const int owner = AdvanceList->currentRow();
    if (owner < 0 || owner >= document.advanceCount())
        return;
    const std::vector<ScheduleEntry> &details =
            document.advanceSchedules[std::size_t(owner)].details;
    for (int row = 0; row < DetailList->count() && row < int(details.size()); ++row)
        DetailList->item(row)->setText(FormatEntryRow(details[std::size_t(row)], captions));
}

void MainForm::setListButtonCaptions(const ListButtons &buttons, const CaptionTable &captions)
{
    buttons.add->setText(captions.addCommand);
    buttons.modify->setText(captions.modifyCommand);
    buttons.remove->setText(captions.removeCommand);
    buttons.moveUp->setText(captions.moveUpCommand);
    buttons.moveDown->setText(captions.moveDownCommand);
}

void MainForm::RefreshNormalList()
{
    NormalList->clear();
    const ScheduleDocument &document = m_context.document;
    if (document.basicCount() == 0)
        return;
    for (const ScheduleEntry &entry : document.basicEntries)
        NormalList->addItem(FormatEntryRow(entry, m_context.text.captions));
    NormalList->setCurrentRow(0);
}

void MainForm::RefreshAdvanceList()
{
    AdvanceList->clear();
    const ScheduleDocument &document = m_context.document;
    if (document.advanceCount() == 0)
        return;
    for (const AdvanceSchedule &schedule : document.advanceSchedules)
        AdvanceList->addItem(FormatAdvanceRow(schedule, m_context.text.captions));
    // Selecting the row brings up its details (AdvanceList_Click).
    AdvanceList->setCurrentRow(0);
}

void MainForm::RefreshDetailList()
{
    DetailList->clear();
    const ScheduleDocument &document = m_context.document;
    const int owner = AdvanceList->currentRow();
    // Without a selected schedule (or a list out of step with the document) there is nothing
    // to show.
    if (owner < 0 || owner >= document.advanceCount())
        return;
    const AdvanceSchedule &schedule = document.advanceSchedules[std::size_t(owner)];
    if (schedule.detailCount() == 0)
        return;
    for (const ScheduleEntry &entry : schedule.details)
        DetailList->addItem(FormatEntryRow(entry, m_context.text.captions));
    DetailList->setCurrentRow(0);
}

void MainForm::AdvanceList_Click()
{
    RefreshDetailList();
    ButtonStatusSetup();
}

void MainForm::applyRowCountRule(const ListButtons &buttons, int rowCount)
{
    buttons.add->setEnabled(true);
    buttons.modify->setEnabled(rowCount >= 1);
    buttons.remove->setEnabled(rowCount >= 1);
    buttons.moveUp->setEnabled(rowCount >= 2);
    buttons.moveDown->setEnabled(rowCount >= 2);
}

void MainForm::ButtonStatusSetup()
{
    applyRowCountRule(m_normalButtons, NormalList->count());
    applyRowCountRule(m_advanceButtons, AdvanceList->count());
    if (AdvanceList->count() == 0) {
        for (QPushButton *button :
             {m_detailButtons.add, m_detailButtons.modify, m_detailButtons.remove,
              m_detailButtons.moveUp, m_detailButtons.moveDown})
            button->setEnabled(false);
    } else {
        applyRowCountRule(m_detailButtons, DetailList->count());
    }
}

ListSelection MainForm::CurrentSelection() const
{
    return {NormalList->currentRow(), AdvanceList->currentRow(), DetailList->currentRow()};
}

// Rows of one list brought in step with its records after change.
template<class Record, class Format>
static void ApplyRowChange(QListWidget *list, const std::vector<Record> &records,
                           const RowChange &change, Format format)
{
    const auto text = [&](int row) { return format(records[std::size_t(row)]); };
    switch (change.kind) {
    case RowChange::Insert:
        for (int row = change.row; row < change.row + change.count; ++row)
            list->insertItem(row, text(row));
        break;
    case RowChange::Remove:
        for (int i = 0; i < change.count; ++i)
            delete list->takeItem(change.row);
        break;
    case RowChange::Update:
        list->item(change.row)->setText(text(change.row));
        break;
    case RowChange::Swap:
        list->item(change.row)->setText(text(change.row));
        list->item(change.other)->setText(text(change.other));
        break;
    }
}

void MainForm::ShowStep(ScheduleList list, const RowChange &change, const ListSelection &selection)
{
    const CaptionTable &captions = m_context.text.captions;
    const ScheduleDocument &document = m_context.document;
    const auto entryRow = [&](const ScheduleEntry &entry) {
        return FormatEntryRow(entry, captions);
    };
    const bool ownerChanged = AdvanceList->currentRow() != selection.advance;
    {
        // The details follow below, from the document as it is now.
        const QSignalBlocker quiet(AdvanceList);
        if (list == ScheduleList::Basic)
            ApplyRowChange(NormalList, document.basicEntries, change, entryRow);
        else if (list == ScheduleList::Advance)
            ApplyRowChange(AdvanceList, document.advanceSchedules, change,
                           [&](const AdvanceSchedule &s) { return FormatAdvanceRow(s, captions); });
        AdvanceList->setCurrentRow(selection.advance);
    }
    if (ownerChanged || (list == ScheduleList::Advance && change.kind != RowChange::Update))
        ShowDetailsOf(selection.advance);
    else if (list == ScheduleList::Detail && change.owner == selection.advance)
        ApplyRowChange(DetailList, document.advanceSchedules[std::size_t(change.owner)].details,
                       change, entryRow);
    NormalList->setCurrentRow(selection.normal);
    DetailList->setCurrentRow(selection.detail);
    ButtonStatusSetup();
    emit documentChanged();
}

void MainForm::ShowDetailsOf(int owner)
{
    DetailList->clear();
    const ScheduleDocument &document = m_context.document;
    if (owner < 0 || owner >= document.advanceCount())
        return;
    for (const ScheduleEntry &entry : document.advanceSchedules[std::size_t(owner)].details)
        DetailList->addItem(FormatEntryRow(entry, m_context.text.captions));
}

void MainForm::StartNewHistory()
{
    m_history->clear();
    m_history->setClean();
    setWindowModified(false);
    UpdateUndoActions();
}

// The step's name is the caption of its command, without an access key.
QString MainForm::StepName(StepKind kind) const
{
    const CaptionTable &captions = m_context.text.captions;
    const QString *names[] = {&captions.addCommand,
                              &captions.modifyCommand,
                              &captions.removeCommand,
                              &captions.moveUpCommand,
                              &captions.moveDownCommand,
                              &captions.duplicateCommand,
                              &captions.duplicateToDaysCommand};
    QString name = *names[int(kind)];
    name.remove(QRegularExpression(QStringLiteral("\\(&.\\)|\\.\\.\\.$")));
    return name.remove(QLatin1Char('&'));
}

void MainForm::UpdateUndoActions()
{
    const CaptionTable &captions = m_context.text.captions;
    const int index = m_history->index();
    const auto *undoStep = dynamic_cast<const EditStep *>(m_history->command(index - 1));
    const auto *redoStep = dynamic_cast<const EditStep *>(m_history->command(index));
    subUndo->setEnabled(undoStep != nullptr);
    subRedo->setEnabled(redoStep != nullptr);
    subUndo->setText(undoStep ? captions.undoStep.arg(StepName(undoStep->kind()))
                              : captions.undoCommand);
    subRedo->setText(redoStep ? captions.redoStep.arg(StepName(redoStep->kind()))
                              : captions.redoCommand);
}

void MainForm::KeepTimer_Timer()
{
    Shape1->rotate();
}

void MainForm::closeEvent(QCloseEvent *event)
{
    if (!MaySaveChanges()) {
        event->ignore();
        return;
    }
    // A settings file that cannot be written must not keep the program from ending.
    SaveRememberedSettings(m_context.settings);
    event->accept();
}

} // namespace nerav
