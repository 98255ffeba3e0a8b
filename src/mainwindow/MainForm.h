#pragma once

// The main window: the menus, the file buttons, and the three list panes (basic entries,
// advance schedules, details of the selected advance schedule) over the session's model. The
// list commands are ListEditing's, the document commands DocumentCommands', the choice of the
// media folder and player profile MediaChoices'; the Edit menu follows the session's undo
// history, and closing the window stores the remembered settings. When the window becomes
// active again the lists' media survey follows what changed meanwhile.

#include "AppContext.h"
#include "ScheduleSelection.h"

#include <QMainWindow>

class QAction;
class QMenu;
class QPushButton;
class QUndoStack;

namespace nerav {

class CalendarForm;
class ColourBar;
class DocumentCommands;
class ListEditing;
class ListPane;
class MediaChoices;
class ScheduleListView;
class ScheduleSession;

class MainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainForm(AppContext &context, QWidget *parent = nullptr);
    ~MainForm() override;

    // Applies the captions of the current language to menus, buttons and frames.
    void InitMainFormOsd();

    ScheduleSession &session() const { return *m_session; }
    QUndoStack *history() const;
    DocumentCommands &documentCommands() const { return *m_documents; }
    ListEditing &listEditing() const { return *m_editing; }
    MediaChoices &mediaChoices() const { return *m_media; }
    ListPane *pane(ScheduleList list) const { return m_panes[int(list)]; }
    // The list the Edit menu's Duplicate acts on: the one that last had the focus.
    ScheduleList activeList() const { return m_activeList; }

    // View menu: the calendar of the advance schedules, made at its first showing; it and the
    // advance list select each other's schedule.
    void subCalendar_Click();
    CalendarForm *Calendar() const { return m_calendar; }

    // A file handed over by a second start of the program: the window comes to the front and
    // the file is opened as Open does, once no dialog of this window is open.
    void OpenHandedFile(const QString &path);
    // The window comes to the front (unminimized), and above it an open dialog of its own.
    void ComeToFront();

    // programTitle - documentFolder documentName
    void SetDocumentTitle();

signals:
    // The user chose a language in the View menu; the application switches the text table.
    void languageChosen(nerav::Language language);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Every text of the window again from the text table, after the language changed.
    void changeEvent(QEvent *event) override;

private:
    void buildMenus();
    QWidget *buildFileButtons();
    QWidget *buildBranding();
    void buildPanes();
    void connectCommands();
    void updateUndoActions();
    void updateDuplicateActions();

    AppContext &m_context;
    ScheduleSession *m_session = nullptr;
    DocumentCommands *m_documents = nullptr;
    ListEditing *m_editing = nullptr;
    MediaChoices *m_media = nullptr;
    ListPane *m_panes[3] = {};
    ScheduleList m_activeList = ScheduleList::Basic;
    CalendarForm *m_calendar = nullptr;

    QMenu *subFile = nullptr;
    QMenu *subEdit = nullptr;
    QMenu *subView = nullptr;
    QMenu *subLanguage = nullptr;
    QMenu *subHelp = nullptr;
    QAction *subJapanese = nullptr;
    QAction *subEnglish = nullptr;
    QAction *subCalendar = nullptr;
    QAction *subMediaFolder = nullptr;
    QAction *subPlayerProfile = nullptr;
    QAction *subNew = nullptr;
    QAction *subOpen = nullptr;
    QAction *subSave = nullptr;
    QAction *subSaveAs = nullptr;
    QAction *subPublish = nullptr;
    QAction *subExit = nullptr;
    QAction *subUndo = nullptr;
    QAction *subRedo = nullptr;
    QAction *subDuplicate = nullptr;
    QAction *subDuplicateToDays = nullptr;
    QAction *subAboutNeravScheduleGenerator = nullptr;
    QAction *subAboutCompany = nullptr;

    QPushButton *NewCmd = nullptr;
    QPushButton *OpenCmd = nullptr;
    QPushButton *SaveCmd = nullptr;
    QPushButton *SaveAsCmd = nullptr;
    QPushButton *ExitCmd = nullptr;

    ColourBar *Shape1 = nullptr;
};

} // namespace nerav
