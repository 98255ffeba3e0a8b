#include "MainForm.h"

#include "AboutCompanyForm.h"
#include "AboutNeravScheduleGeneratorForm.h"
#include "ButtonKeys.h"
#include "CalendarForm.h"
#include "ColourBar.h"
#include "DocumentCommands.h"
#include "ListEditing.h"
#include "ListPane.h"
#include "MediaChoices.h"
#include "MessageBoxes.h"
#include "NeravLogo.h"
#include "RowFormat.h"
#include "ScheduleListView.h"
#include "ScheduleModel.h"
#include "ScheduleSession.h"
#include "Settings.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace nerav {

// The column headings of an entry list; the panes give them their texts.
static std::vector<ColumnHeading> entryHeadings(const char *name, const char *play,
                                                const char *volume, const char *duration)
{
    return {{QString::fromLatin1(name), EntryNameColumn},
            {QString::fromLatin1(play), EntryPlayTimesColumn},
            {QString::fromLatin1(volume), EntryVolumeColumn},
            {QString::fromLatin1(duration), EntryMediaColumn}};
}

MainForm::MainForm(AppContext &context, QWidget *parent) : QMainWindow(parent), m_context(context)
{
    setObjectName(QStringLiteral("MainForm"));
    // The modified mark has its place before a schedule names the window.
    setWindowTitle(QStringLiteral("[*]"));
    m_session = new ScheduleSession(context, this);
    m_documents = new DocumentCommands(context, *m_session, this);
    m_editing = new ListEditing(context, m_session->model(), this);
    m_media = new MediaChoices(context, *m_session, this);
    buildMenus();

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    auto *top = new QHBoxLayout;
    top->addWidget(buildFileButtons(), 0, Qt::AlignTop);
    top->addStretch();
    top->addWidget(buildBranding());
    layout->addLayout(top);
    buildPanes();
    auto *frames = new QHBoxLayout;
    frames->addWidget(m_panes[int(ScheduleList::Basic)], 1);
    auto *right = new QVBoxLayout;
    right->addWidget(m_panes[int(ScheduleList::Advance)], 1);
    right->addWidget(m_panes[int(ScheduleList::Detail)], 1);
    frames->addLayout(right, 1);
    layout->addLayout(frames, 1);
    setCentralWidget(central);

    connectCommands();
    PressFocusedButtonOnEnter(this);
}

MainForm::~MainForm()
{
    // The panes and the calendar go before the session whose model they show; the session's
    // history and model still signal while they are destroyed, but this window no longer
    // listens.
    delete m_calendar;
    delete centralWidget();
    m_session->history().disconnect(this);
    m_session->model().disconnect(this);
    m_session->disconnect(this);
    delete m_session;
}

QUndoStack *MainForm::history() const
{
    return &m_session->history();
}

void MainForm::buildMenus()
{
    auto addItem = [this](QMenu *menu, QAction *&item, const char *name) {
        item = menu->addAction(QString());
        item->setObjectName(QString::fromLatin1(name));
    };
    const auto addMenu = [this](QMenu *&menu, const char *name) {
        menu = menuBar()->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(name));
    };
    addMenu(subFile, "subFile");
    addItem(subFile, subNew, "subNew");
    addItem(subFile, subOpen, "subOpen");
    subFile->addSeparator();
    addItem(subFile, subSave, "subSave");
    addItem(subFile, subSaveAs, "subSaveAs");
    subFile->addSeparator();
    addItem(subFile, subPublish, "subPublish");
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
    // Ctrl+P means Print everywhere (and the calendar prints): Publish takes it with Shift.
    subPublish->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+P")));

    addMenu(subEdit, "subEdit");
    addItem(subEdit, subUndo, "subUndo");
    addItem(subEdit, subRedo, "subRedo");
    keys(subUndo, QKeySequence::Undo, "Ctrl+Z");
    keys(subRedo, QKeySequence::Redo, "Ctrl+Shift+Z");
    // Ctrl+Y redoes on many desktops, also where this one's own list lacks it.
    const QKeySequence ctrlY(QStringLiteral("Ctrl+Y"));
    if (!subRedo->shortcuts().contains(ctrlY))
        subRedo->setShortcuts(subRedo->shortcuts() << ctrlY);
    subEdit->addSeparator();
    addItem(subEdit, subDuplicate, "subDuplicate");
    addItem(subEdit, subDuplicateToDays, "subDuplicateToDays");

    addMenu(subView, "subView");
    addItem(subView, subCalendar, "subCalendar");
    subView->addSeparator();
    addItem(subView, subMediaFolder, "subMediaFolder");
    addItem(subView, subPlayerProfile, "subPlayerProfile");
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

    addMenu(subHelp, "subHelp");
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
    // The strip stands still: nothing runs in the window that it could show, and a strip
    // moving for as long as the window is open draws the eye from the lists.
    Shape1 = new ColourBar(box);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFixedWidth(logo->sizeHint().width());
    column->addWidget(logo);
    column->addWidget(Shape1);
    return box;
}

void MainForm::buildPanes()
{
    ScheduleModel &model = m_session->model();
    m_panes[int(ScheduleList::Basic)] =
            new ListPane(model, ScheduleList::Basic, QStringLiteral("Normal"),
                         entryHeadings("Picture1", "Picture2", "Picture3", "NormalDuration"));
    m_panes[int(ScheduleList::Advance)] =
            new ListPane(model, ScheduleList::Advance, QStringLiteral("Advance"),
                         {{QStringLiteral("Picture9"), AdvanceStartColumn},
                          {QStringLiteral("Picture8"), AdvanceStopColumn},
                          {QStringLiteral("Picture7"), AdvanceWeekDayColumn}});
    m_panes[int(ScheduleList::Detail)] =
            new ListPane(model, ScheduleList::Detail, QStringLiteral("Detail"),
                         entryHeadings("Picture6", "Picture5", "Picture4", "DetailDuration"));
    for (ListPane *pane : m_panes) {
        const ScheduleList list = pane->list();
        connect(pane, &ListPane::commandRequested, this,
                [this, list](StepKind kind) { m_editing->run(list, kind); });
        connect(pane, &ListPane::entered, this, [this, list] { m_activeList = list; });
    }
}

void MainForm::connectCommands()
{
    DocumentCommands *documents = m_documents;
    for (auto [button, item, command] :
         {std::tuple {NewCmd, subNew, &DocumentCommands::newDocument},
          std::tuple {OpenCmd, subOpen, &DocumentCommands::openDocument}}) {
        connect(button, &QPushButton::clicked, documents, command);
        connect(item, &QAction::triggered, documents, command);
    }
    for (auto [button, item, saveAs] :
         {std::tuple {SaveCmd, subSave, false}, std::tuple {SaveAsCmd, subSaveAs, true}}) {
        const auto save = [documents, saveAs = saveAs] { documents->saveDocument(saveAs); };
        connect(button, &QPushButton::clicked, documents, save);
        connect(item, &QAction::triggered, documents, save);
    }
    connect(subPublish, &QAction::triggered, documents, &DocumentCommands::publish);
    connect(ExitCmd, &QPushButton::clicked, this, &MainForm::close);
    connect(subExit, &QAction::triggered, this, &MainForm::close);

    QUndoStack *history = &m_session->history();
    connect(subUndo, &QAction::triggered, history, &QUndoStack::undo);
    connect(subRedo, &QAction::triggered, history, &QUndoStack::redo);
    connect(history, &QUndoStack::indexChanged, this, &MainForm::updateUndoActions);
    connect(history, &QUndoStack::cleanChanged, this, &MainForm::updateUndoActions);
    connect(m_session, &ScheduleSession::modifiedChanged, this, &QWidget::setWindowModified);
    connect(m_session, &ScheduleSession::fileChanged, this, &MainForm::SetDocumentTitle);

    connect(subDuplicate, &QAction::triggered, this,
            [this] { m_editing->run(m_activeList, StepKind::Duplicate); });
    connect(subDuplicateToDays, &QAction::triggered, this,
            [this] { m_editing->run(ScheduleList::Advance, StepKind::DuplicateToDays); });
    connect(subEdit, &QMenu::aboutToShow, this, &MainForm::updateDuplicateActions);
    connect(
            &m_session->model(), &ScheduleModel::dropRefused, this,
            [this](const QString &text) { ShowMessage(this, m_context.text, text); },
            Qt::QueuedConnection);

    connect(subJapanese, &QAction::triggered, this, [this] { emit languageChosen(Japanese); });
    connect(subEnglish, &QAction::triggered, this, [this] { emit languageChosen(English); });
    connect(subCalendar, &QAction::triggered, this, &MainForm::subCalendar_Click);
    connect(subMediaFolder, &QAction::triggered, m_media, &MediaChoices::chooseMediaFolder);
    connect(subPlayerProfile, &QAction::triggered, m_media, &MediaChoices::choosePlayerProfile);
    connect(subAboutNeravScheduleGenerator, &QAction::triggered, this,
            [this] { AboutNeravScheduleGeneratorForm(m_context, this).exec(); });
    connect(subAboutCompany, &QAction::triggered, this,
            [this] { AboutCompanyForm(m_context, this).exec(); });
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
    subMediaFolder->setText(m_context.text.media.mediaFolderMenuItem);
    subPlayerProfile->setText(m_context.text.media.playerProfileMenuItem);
    subDuplicate->setText(captions.duplicateMenuItem);
    subDuplicateToDays->setText(captions.duplicateToDaysMenuItem);
    subNew->setText(captions.newMenuItem);
    subOpen->setText(captions.openMenuItem);
    subSave->setText(captions.saveMenuItem);
    subSaveAs->setText(captions.saveAsMenuItem);
    subPublish->setText(m_context.text.publish.menuCommand);
    subExit->setText(captions.exitMenuItem);
    subAboutNeravScheduleGenerator->setText(captions.aboutProgramMenuItem);
    subAboutCompany->setText(captions.aboutCompanyMenuItem);

    NewCmd->setText(captions.newCommand);
    OpenCmd->setText(captions.openCommand);
    SaveCmd->setText(captions.saveCommand);
    SaveAsCmd->setText(captions.saveAsCommand);
    ExitCmd->setText(captions.exitCommand);
    for (ListPane *pane : m_panes)
        pane->applyCaptions(captions);
    updateUndoActions();
}

void MainForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_session->model().retext();
        InitMainFormOsd();
        SetDocumentTitle();
    }
    // Back from a dialog or another program: another media folder, or changed files.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_session->followMediaChanges();
    QMainWindow::changeEvent(event);
}

void MainForm::updateUndoActions()
{
    const CaptionTable &captions = m_context.text.captions;
    const QUndoStack &history = m_session->history();
    subUndo->setEnabled(history.canUndo());
    subRedo->setEnabled(history.canRedo());
    subUndo->setText(history.canUndo() ? captions.undoStep.arg(history.undoText())
                                       : captions.undoCommand);
    subRedo->setText(history.canRedo() ? captions.redoStep.arg(history.redoText())
                                       : captions.redoCommand);
}

void MainForm::updateDuplicateActions()
{
    const ListSelection selection = m_session->model().selection();
    subDuplicate->setEnabled(selection.row(m_activeList) >= 0);
    subDuplicateToDays->setEnabled(selection.advance >= 0);
}

void MainForm::subCalendar_Click()
{
    if (!m_calendar) {
        ScheduleModel &model = m_session->model();
        m_calendar = new CalendarForm(m_context, this);
        connect(m_calendar, &CalendarForm::scheduleChosen, this, [&model](int row) {
            if (row >= 0 && row < model.rowCount(ScheduleList::Advance))
                model.setCurrentRow(ScheduleList::Advance, row);
        });
        connect(&model, &ScheduleModel::documentChanged, m_calendar, &CalendarForm::refresh);
        connect(&model, &ScheduleModel::selectionChanged, m_calendar,
                [this](const ListSelection &selection) {
                    m_calendar->showSchedule(selection.advance);
                });
        m_calendar->showSchedule(model.selection().advance);
    }
    m_calendar->show();
    m_calendar->raise();
    m_calendar->activateWindow();
}

void MainForm::OpenHandedFile(const QString &path)
{
    ComeToFront();
    m_documents->openHandedFile(path);
}

void MainForm::ComeToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    // A dialog that waits for an answer stays above the window and keeps the keys.
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
    // Where the desktop keeps another program's window in front, the task bar shows it.
    QApplication::alert(this);
}

void MainForm::SetDocumentTitle()
{
    // [*] shows the modified mark while the document holds unsaved changes.
    setWindowTitle(m_context.text.captions.programTitle + QStringLiteral(" - ") +
                   m_session->folder() + m_session->name() + QStringLiteral("[*]"));
}

void MainForm::closeEvent(QCloseEvent *event)
{
    if (!m_documents->maySaveChanges()) {
        event->ignore();
        return;
    }
    // A settings file that cannot be written must not keep the program from ending.
    m_context.settings.save();
    event->accept();
}

} // namespace nerav
