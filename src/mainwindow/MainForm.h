#pragma once

// The main window: the menus, the file buttons, and the three list panes (basic entries,
// advance schedules, details of the selected advance schedule) over the session's model. The
// list commands are ListEditing's, the document commands DocumentCommands', the choice of the
// media folder and player profile MediaChoices'; the Edit menu follows the session's undo
// history, the title (and the calendar) the session's file, and closing the window stores the
// remembered settings.

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
    void applyCaptions();

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
    void showCalendar();
    CalendarForm *calendar() const { return m_calendar; }

    // A file handed over by a second start of the program: the window comes to the front and
    // the file is opened as Open does, once no dialog of this window is open.
    void openHandedFile(const QString &path);
    // The window comes to the front (unminimized), and above it an open dialog of its own.
    void comeToFront();

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
    // programTitle - the session's file, and the modified mark.
    void showFileInTitle();

    AppContext &m_context;
    ScheduleSession *m_session = nullptr;
    DocumentCommands *m_documents = nullptr;
    ListEditing *m_editing = nullptr;
    MediaChoices *m_media = nullptr;
    ListPane *m_panes[3] = {};
    ScheduleList m_activeList = ScheduleList::Basic;
    CalendarForm *m_calendar = nullptr;

    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_languageMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QAction *m_japaneseItem = nullptr;
    QAction *m_englishItem = nullptr;
    QAction *m_calendarItem = nullptr;
    QAction *m_mediaFolderItem = nullptr;
    QAction *m_playerProfileItem = nullptr;
    QAction *m_newItem = nullptr;
    QAction *m_openItem = nullptr;
    QAction *m_saveItem = nullptr;
    QAction *m_saveAsItem = nullptr;
    QAction *m_publishItem = nullptr;
    QAction *m_exitItem = nullptr;
    QAction *m_undoItem = nullptr;
    QAction *m_redoItem = nullptr;
    QAction *m_duplicateItem = nullptr;
    QAction *m_duplicateToDaysItem = nullptr;
    QAction *m_aboutProgramItem = nullptr;
    QAction *m_aboutCompanyItem = nullptr;

    QPushButton *m_newButton = nullptr;
    QPushButton *m_openButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_saveAsButton = nullptr;
    QPushButton *m_exitButton = nullptr;

    ColourBar *m_colourBar = nullptr;
};

} // namespace nerav
