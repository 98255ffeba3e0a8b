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
    m_media = new MediaChoices(context, this);
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
    addMenu(m_fileMenu, "subFile");
    addItem(m_fileMenu, m_newItem, "subNew");
    addItem(m_fileMenu, m_openItem, "subOpen");
    m_fileMenu->addSeparator();
    addItem(m_fileMenu, m_saveItem, "subSave");
    addItem(m_fileMenu, m_saveAsItem, "subSaveAs");
    m_fileMenu->addSeparator();
    addItem(m_fileMenu, m_publishItem, "subPublish");
    m_fileMenu->addSeparator();
    addItem(m_fileMenu, m_exitItem, "subExit");
    // Where a desktop has no standard key for a command, the common one stands in.
    const auto keys = [](QAction *item, QKeySequence::StandardKey key, const char *common) {
        const QList<QKeySequence> standard = QKeySequence::keyBindings(key);
        item->setShortcuts(standard.isEmpty() ? QList {QKeySequence(QLatin1String(common))}
                                              : standard);
    };
    keys(m_newItem, QKeySequence::New, "Ctrl+N");
    keys(m_openItem, QKeySequence::Open, "Ctrl+O");
    keys(m_saveItem, QKeySequence::Save, "Ctrl+S");
    keys(m_saveAsItem, QKeySequence::SaveAs, "Ctrl+Shift+S");
    keys(m_exitItem, QKeySequence::Quit, "Ctrl+Q");
    // Ctrl+P means Print everywhere (and the calendar prints): Publish takes it with Shift.
    m_publishItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+P")));

    addMenu(m_editMenu, "subEdit");
    addItem(m_editMenu, m_undoItem, "subUndo");
    addItem(m_editMenu, m_redoItem, "subRedo");
    keys(m_undoItem, QKeySequence::Undo, "Ctrl+Z");
    keys(m_redoItem, QKeySequence::Redo, "Ctrl+Shift+Z");
    // Ctrl+Y redoes on many desktops, also where this one's own list lacks it.
    const QKeySequence ctrlY(QStringLiteral("Ctrl+Y"));
    if (!m_redoItem->shortcuts().contains(ctrlY))
        m_redoItem->setShortcuts(m_redoItem->shortcuts() << ctrlY);
    m_editMenu->addSeparator();
    addItem(m_editMenu, m_duplicateItem, "subDuplicate");
    addItem(m_editMenu, m_duplicateToDaysItem, "subDuplicateToDays");

    addMenu(m_viewMenu, "subView");
    addItem(m_viewMenu, m_calendarItem, "subCalendar");
    m_viewMenu->addSeparator();
    addItem(m_viewMenu, m_mediaFolderItem, "subMediaFolder");
    addItem(m_viewMenu, m_playerProfileItem, "subPlayerProfile");
    m_viewMenu->addSeparator();
    m_languageMenu = m_viewMenu->addMenu(QString());
    m_languageMenu->setObjectName(QStringLiteral("subLanguage"));
    auto *languages = new QActionGroup(this);
    // Each language is named in its own words, whichever language the window shows.
    m_japaneseItem = languages->addAction(QStringLiteral("日本語"));
    m_japaneseItem->setObjectName(QStringLiteral("subJapanese"));
    m_englishItem = languages->addAction(QStringLiteral("English"));
    m_englishItem->setObjectName(QStringLiteral("subEnglish"));
    for (QAction *item : {m_japaneseItem, m_englishItem}) {
        item->setCheckable(true);
        m_languageMenu->addAction(item);
    }

    addMenu(m_helpMenu, "subHelp");
    addItem(m_helpMenu, m_aboutProgramItem, "subAboutNeravScheduleGenerator");
    addItem(m_helpMenu, m_aboutCompanyItem, "subAboutCompany");
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
    addButton(m_newButton, "NewCmd");
    addButton(m_openButton, "OpenCmd");
    addButton(m_saveButton, "SaveCmd");
    addButton(m_saveAsButton, "SaveAsCmd");
    addButton(m_exitButton, "ExitCmd");
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
    m_colourBar = new ColourBar(box);
    m_colourBar->setObjectName(QStringLiteral("Shape1"));
    m_colourBar->setFixedWidth(logo->sizeHint().width());
    column->addWidget(logo);
    column->addWidget(m_colourBar);
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
         {std::tuple {m_newButton, m_newItem, &DocumentCommands::newDocument},
          std::tuple {m_openButton, m_openItem, &DocumentCommands::openDocument}}) {
        connect(button, &QPushButton::clicked, documents, command);
        connect(item, &QAction::triggered, documents, command);
    }
    for (auto [button, item, saveAs] : {std::tuple {m_saveButton, m_saveItem, false},
                                        std::tuple {m_saveAsButton, m_saveAsItem, true}}) {
        const auto save = [documents, saveAs = saveAs] { documents->saveDocument(saveAs); };
        connect(button, &QPushButton::clicked, documents, save);
        connect(item, &QAction::triggered, documents, save);
    }
    connect(m_publishItem, &QAction::triggered, documents, &DocumentCommands::publish);
    connect(m_exitButton, &QPushButton::clicked, this, &MainForm::close);
    connect(m_exitItem, &QAction::triggered, this, &MainForm::close);

    QUndoStack *history = &m_session->history();
    connect(m_undoItem, &QAction::triggered, history, &QUndoStack::undo);
    connect(m_redoItem, &QAction::triggered, history, &QUndoStack::redo);
    connect(history, &QUndoStack::indexChanged, this, &MainForm::updateUndoActions);
    connect(history, &QUndoStack::cleanChanged, this, &MainForm::updateUndoActions);
    connect(m_session, &ScheduleSession::modifiedChanged, this, &QWidget::setWindowModified);
    connect(m_session, &ScheduleSession::fileChanged, this, &MainForm::showFileInTitle);

    connect(m_duplicateItem, &QAction::triggered, this,
            [this] { m_editing->run(m_activeList, StepKind::Duplicate); });
    connect(m_duplicateToDaysItem, &QAction::triggered, this,
            [this] { m_editing->run(ScheduleList::Advance, StepKind::DuplicateToDays); });
    connect(m_editMenu, &QMenu::aboutToShow, this, &MainForm::updateDuplicateActions);
    connect(
            &m_session->model(), &ScheduleModel::dropRefused, this,
            [this](const QString &text) { ShowMessage(this, m_context.text, text); },
            Qt::QueuedConnection);

    connect(m_japaneseItem, &QAction::triggered, this, [this] { emit languageChosen(Japanese); });
    connect(m_englishItem, &QAction::triggered, this, [this] { emit languageChosen(English); });
    connect(m_calendarItem, &QAction::triggered, this, &MainForm::showCalendar);
    connect(m_mediaFolderItem, &QAction::triggered, m_media, &MediaChoices::chooseMediaFolder);
    connect(m_playerProfileItem, &QAction::triggered, m_media, &MediaChoices::choosePlayerProfile);
    connect(m_aboutProgramItem, &QAction::triggered, this,
            [this] { AboutNeravScheduleGeneratorForm(m_context, this).exec(); });
    connect(m_aboutCompanyItem, &QAction::triggered, this,
            [this] { AboutCompanyForm(m_context, this).exec(); });
}

void MainForm::applyCaptions()
{
    const CaptionTable &captions = m_context.text.captions;
    m_fileMenu->setTitle(captions.fileMenu);
    m_editMenu->setTitle(captions.editMenu);
    m_viewMenu->setTitle(captions.viewMenu);
    m_languageMenu->setTitle(captions.languageMenu);
    m_japaneseItem->setChecked(m_context.text.language == Japanese);
    m_englishItem->setChecked(m_context.text.language == English);
    m_helpMenu->setTitle(captions.helpMenu);
    m_calendarItem->setText(captions.calendarMenuItem);
    m_mediaFolderItem->setText(m_context.text.media.mediaFolderMenuItem);
    m_playerProfileItem->setText(m_context.text.media.playerProfileMenuItem);
    m_duplicateItem->setText(captions.duplicateMenuItem);
    m_duplicateToDaysItem->setText(captions.duplicateToDaysMenuItem);
    m_newItem->setText(captions.newMenuItem);
    m_openItem->setText(captions.openMenuItem);
    m_saveItem->setText(captions.saveMenuItem);
    m_saveAsItem->setText(captions.saveAsMenuItem);
    m_publishItem->setText(m_context.text.publish.menuCommand);
    m_exitItem->setText(captions.exitMenuItem);
    m_aboutProgramItem->setText(captions.aboutProgramMenuItem);
    m_aboutCompanyItem->setText(captions.aboutCompanyMenuItem);

    m_newButton->setText(captions.newCommand);
    m_openButton->setText(captions.openCommand);
    m_saveButton->setText(captions.saveCommand);
    m_saveAsButton->setText(captions.saveAsCommand);
    m_exitButton->setText(captions.exitCommand);
    for (ListPane *pane : m_panes)
        pane->applyCaptions(captions);
    updateUndoActions();
}

void MainForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_session->model().retext();
        applyCaptions();
        showFileInTitle();
    }
    QMainWindow::changeEvent(event);
}

void MainForm::updateUndoActions()
{
    const CaptionTable &captions = m_context.text.captions;
    const QUndoStack &history = m_session->history();
    m_undoItem->setEnabled(history.canUndo());
    m_redoItem->setEnabled(history.canRedo());
    m_undoItem->setText(history.canUndo() ? captions.undoStep.arg(history.undoText())
                                          : captions.undoCommand);
    m_redoItem->setText(history.canRedo() ? captions.redoStep.arg(history.redoText())
                                          : captions.redoCommand);
}

void MainForm::updateDuplicateActions()
{
    const ListSelection selection = m_session->model().selection();
    m_duplicateItem->setEnabled(selection.row(m_activeList) >= 0);
    m_duplicateToDaysItem->setEnabled(selection.advance >= 0);
}

void MainForm::showCalendar()
{
    if (!m_calendar) {
        ScheduleModel &model = m_session->model();
        m_calendar = new CalendarForm(m_context, model.document(), this);
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
        m_calendar->showFile(m_session->path());
        connect(m_session, &ScheduleSession::fileChanged, m_calendar, &CalendarForm::showFile);
    }
    m_calendar->show();
    m_calendar->raise();
    m_calendar->activateWindow();
}

void MainForm::openHandedFile(const QString &path)
{
    comeToFront();
    m_documents->openHandedFile(path);
}

void MainForm::comeToFront()
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

void MainForm::showFileInTitle()
{
    // [*] shows the modified mark while the document holds unsaved changes.
    setWindowTitle(m_context.text.captions.programTitle + QStringLiteral(" - ") +
                   m_session->path() + QStringLiteral("[*]"));
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
