#pragma once

// The main window. It shows the schedule of the AppContext in three lists (basic entries,
// advance schedules, details of the selected advance schedule), keeps the list buttons in step
// with the row counts, runs the list commands that open the editors or move and remove rows,
// the document commands New, Open, Save, Save As and Exit, and Undo and Redo of the Edit menu.
//
// Architecture: MainForm owns only widgets. The schedule, the remembered settings, the text
// tables and the platform services live in the AppContext it is given, and every change of the
// document goes through that context. Rows are built by the free functions of RowFormat.h; the
// document commands (DocumentCommands.cpp) read and write files through ScheduleFile.h and test
// for files through SystemModule.h. The editor dialogs are given a record and hand back the
// edited one; the list commands apply it as one undoable step (EditSteps.h). Start-up and
// shutdown order live in app/Startup.h; closing this window stores the remembered settings.

#include "AppContext.h"
#include "ColumnHeadings.h"
#include "EditSteps.h"

#include <QMainWindow>
#include <QStringList>
#include <optional>
#include <vector>

class QAction;
class QGroupBox;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;
class QUndoStack;

namespace nerav {

class CalendarForm;
class ColourBar;
class ListDescriptions;

class MainForm : public QMainWindow, public StepView
{
    Q_OBJECT

public:
    explicit MainForm(AppContext &context, QWidget *parent = nullptr);
    ~MainForm() override;

    // Applies the captions of the current language to menus, buttons and frames.
    void InitMainFormOsd();

    void RefreshNormalList();
    void RefreshAdvanceList();
    // Rebuilds DetailList from the details of the advance schedule selected in AdvanceList.
    void RefreshDetailList();
    // Runs whenever a row of AdvanceList becomes selected: details follow, then the buttons.
    void AdvanceList_Click();
    // Enables the fifteen list buttons by the row counts of the lists.
    void ButtonStatusSetup();

    // The undo history of the document's changes; its clean state is the saved document.
    QUndoStack *history() const { return m_history; }

    // The fifteen list commands (ListCommands.cpp).
    void NormalAddCmd_Click();
    void NormalModifyCmd_Click();
    void NormalMoveUpCmd_Click();
    void NormalMoveDownCmd_Click();
    void NormalRemoveCmd_Click();
    void AdvanceAddCmd_Click();
    void AdvanceModifyCmd_Click();
    void AdvanceMoveUpCmd_Click();
    void AdvanceMoveDownCmd_Click();
    void AdvanceRemoveCmd_Click();
    void DetailAddCmd_Click();
    void DetailModifyCmd_Click();
    void DetailMoveUpCmd_Click();
    void DetailMoveDownCmd_Click();
    void DetailRemoveCmd_Click();

    // Duplicate (DuplicateCommands.cpp): a copy of the selected row of the list last used,
    // right after it; an advance schedule keeps its details. Duplicate to Other Days: copies of
    // the selected advance schedule for the week days the user ticks.
    void DuplicateRow(QListWidget *list);
    void subDuplicate_Click();
    void subDuplicateToDays_Click();
    // The list Duplicate of the Edit menu acts on: the one that last had the focus.
    QListWidget *ActiveList() const { return m_activeList; }

    // View menu: the calendar of the advance schedules (CalendarLink.cpp), made at its first
    // showing; it and the advance list select each other's schedule.
    void subCalendar_Click();
    CalendarForm *Calendar() const { return m_calendar; }
    // Selects an advance list row (the details follow); other rows are ignored.
    void SelectAdvanceRow(int row);

    // Help menu.
    void subAboutNeravScheduleGenerator_Click();
    void subAboutCompany_Click();

    // Document commands.
    void NewDocument();
    void OpenDocument();
    // True when the document was written.
    bool SaveDocument(bool saveAs);
    // While the document holds unsaved changes, asks whether to save them: true when the
    // command that asked may go on (saved or discarded), false when it must stop.
    bool MaySaveChanges();
    bool CheckBeforeSave();
    // File -> Publish to Medium: with unsaved changes it asks first whether to save them or to
    // publish the schedule file as last saved, so the player never gets a schedule that exists
    // nowhere else.
    void subPublish_Click();
    bool AskOpenFileName(QString &folder, QString &name);
    bool AskSaveFileName(QString &folder, QString &name);

    // Reads folder + name into the document and rebuilds the three lists. On failure the
    // document and the lists stay as they were and false is returned (no message).
    bool LoadScheduleIntoLists(const QString &folder, const QString &name);

    // Reads folder + name as Open does: on success it becomes the document (title, folders);
    // a damaged or missing file shows the read-error message and changes nothing.
    bool OpenScheduleFile(const QString &folder, const QString &name);

    // A file handed over by a second start of the program: the window comes to the front and,
    // once no dialog of this window is open, asks about unsaved changes and opens it as Open
    // does.
    void OpenHandedFile(const QString &path);

    // programTitle - documentFolder documentName
    void SetDocumentTitle();

signals:
    // After every change of the document is applied and the rows are refreshed, including
    // undo, redo, New and Open.
    void documentChanged();
    // The user chose a language in the View menu; the application switches the text table.
    void languageChosen(nerav::Language language);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Every text of the window again from the text table, after the language changed.
    void changeEvent(QEvent *event) override;

private:
    struct ListButtons
    {
        QPushButton *add = nullptr;
        QPushButton *modify = nullptr;
        QPushButton *remove = nullptr;
        QPushButton *moveUp = nullptr;
        QPushButton *moveDown = nullptr;
    };

    void buildMenus();
    QWidget *buildFileButtons();
    QWidget *buildBranding();
    QGroupBox *buildListFrame(const QString &frameName, QListWidget *&list, const QString &listName,
                              const std::vector<ColumnHeading> &headings, ListButtons &buttons,
                              const QString &prefix);
    void connectCommands();
    void connectListCommands();
    void connectDuplicateCommands();
    void ShowListMenu(QListWidget *list, const QPoint &position);
    void UpdateDuplicateActions();
    void connectListDrops(); // ListDrops.cpp
    void connectCalendar();
    // owner: the advance schedule whose details are edited, -1 for the basic list.
    std::optional<ScheduleEntry> EditEntry(const std::optional<ScheduleEntry> &entry, int owner);
    std::optional<AdvanceSchedule> EditAdvance(const std::optional<AdvanceSchedule> &schedule);
    int SelectedDetailOwner() const;
    static int SelectFirstRowIfNone(QListWidget *list);

    // The row commands shared by the three lists: each pushes one step onto the history.
    void PushStep(EditStep *step);
    template<class Record>
    void MoveRow(QListWidget *list, ScheduleList which, int owner, int count, StepKind direction);
    template<class Record>
    void RemoveRow(QListWidget *list, ScheduleList which, int owner, int count);

    // StepView: the changed rows of one list follow the document, then the selection of all
    // three; the details are built again when their schedule changed.
    ListSelection CurrentSelection() const override;
    void ShowStep(ScheduleList list, const RowChange &change,
                  const ListSelection &selection) override;
    void ShowDetailsOf(int owner);
    void StartNewHistory();
    void UpdateUndoActions();
    QString StepName(StepKind kind) const;
    static void applyRowCountRule(const ListButtons &buttons, int rowCount);
    static void setListButtonCaptions(const ListButtons &buttons, const CaptionTable &captions);
    bool writeDocumentTo(const QString &folder, const QString &name);
    void KeepTimer_Timer();
    // The rows of the three lists formatted again in the current language, selection kept.
    void RetextRows();
    void openWaitingHandedFiles();

    QStringList m_handedFiles;

    AppContext &m_context;

    QMenu *subFile = nullptr;
    QMenu *subEdit = nullptr;
    QMenu *subView = nullptr;
    QMenu *subLanguage = nullptr;
    QMenu *subHelp = nullptr;
    QAction *subJapanese = nullptr;
    QAction *subEnglish = nullptr;
    QAction *subCalendar = nullptr;
    CalendarForm *m_calendar = nullptr;
    QAction *subNew = nullptr;
    QAction *subOpen = nullptr;
    QAction *subSave = nullptr;
    QAction *subSaveAs = nullptr;
    QAction *subExit = nullptr;
    QAction *subUndo = nullptr;
    QAction *subRedo = nullptr;
    QAction *subDuplicate = nullptr;
    QAction *subDuplicateToDays = nullptr;
    QListWidget *m_activeList = nullptr;
    QAction *subAboutNeravScheduleGenerator = nullptr;
    QAction *subAboutCompany = nullptr;

    QPushButton *NewCmd = nullptr;
    QPushButton *OpenCmd = nullptr;
    QPushButton *SaveCmd = nullptr;
    QPushButton *SaveAsCmd = nullptr;
    QPushButton *ExitCmd = nullptr;

    QGroupBox *NormalFrame = nullptr;
    QGroupBox *AdvanceFrame = nullptr;
    QGroupBox *DetailFrame = nullptr;
    QListWidget *NormalList = nullptr;
    QListWidget *AdvanceList = nullptr;
    QListWidget *DetailList = nullptr;
    ListButtons m_normalButtons;
    ListButtons m_advanceButtons;
    ListButtons m_detailButtons;

    ListDescriptions *m_descriptions = nullptr;
    ColourBar *Shape1 = nullptr;
    QTimer *KeepTimer = nullptr;
    QUndoStack *m_history = nullptr;
    // The event filters on the lists, removed before the lists are destroyed.
    std::vector<QObject *> m_listWatchers;
};

} // namespace nerav
