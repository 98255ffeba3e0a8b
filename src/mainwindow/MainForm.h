#pragma once

// The main window. It shows the schedule of the AppContext in three lists (basic entries,
// advance schedules, details of the selected advance schedule), keeps the list buttons in step
// with the row counts, runs the list commands that open the editors or move and remove rows,
// and the document commands New, Open, Save, Save As and Exit.
//
// Architecture: MainForm owns only widgets. The schedule, the remembered settings, the text
// tables and the platform services live in the AppContext it is given, and every change of the
// document goes through that context. Rows are built by the free functions of RowFormat.h; the
// document commands (DocumentCommands.cpp) read and write files through ScheduleFile.h and test
// for files through SystemModule.h. The editor dialogs receive MainWindowLists, never the
// window itself. Start-up and shutdown order live in app/Startup.h; closing this window
// stores the remembered settings.

#include "AppContext.h"
#include "ColumnHeadings.h"
#include "MainWindowLists.h"

#include <QMainWindow>
#include <vector>

class QAction;
class QGroupBox;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

namespace nerav {

class CalendarForm;
class ColourBar;

class MainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainForm(AppContext &context, QWidget *parent = nullptr);

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

    // What the editor dialogs use of this window.
    MainWindowLists Lists();

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
    void SaveDocument(bool saveAs);
    bool CheckBeforeSave();
    bool CheckScheduleSize() const;
    bool AskOpenFileName(QString &folder, QString &name);
    bool AskSaveFileName(QString &folder, QString &name);

    // Reads folder + name into the document and rebuilds the three lists. On failure the
    // document and the lists stay as they were and false is returned (no message).
    bool LoadScheduleIntoLists(const QString &folder, const QString &name);

    // programTitle - documentFolder documentName
    void SetDocumentTitle();

signals:
    // After every change of the document that the lists show.
    void documentChanged();

protected:
    void closeEvent(QCloseEvent *event) override;

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
    void connectCalendar();
    void ShowEntryEditor();
    void ShowAdvanceEditor();
    AdvanceSchedule *SelectedDetailOwner();

    // The row procedures shared by the three lists; each list's rows mirror its records.
    template<class Record>
    void MoveRowUp(QListWidget *list, std::vector<Record> &records);
    template<class Record>
    void MoveRowDown(QListWidget *list, std::vector<Record> &records);
    template<class Record>
    void RemoveRow(QListWidget *list, std::vector<Record> &records);
    void AfterRowRemoved(QListWidget *list, int removedRow);
    static void applyRowCountRule(const ListButtons &buttons, int rowCount);
    static void setListButtonCaptions(const ListButtons &buttons, const CaptionTable &captions);
    bool writeDocumentTo(const QString &folder, const QString &name);
    void KeepTimer_Timer();

    AppContext &m_context;

    QMenu *subFile = nullptr;
    QMenu *subHelp = nullptr;
    QMenu *subView = nullptr;
    QAction *subCalendar = nullptr;
    CalendarForm *m_calendar = nullptr;
    QAction *subNew = nullptr;
    QAction *subOpen = nullptr;
    QAction *subSave = nullptr;
    QAction *subSaveAs = nullptr;
    QAction *subExit = nullptr;
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

    ColourBar *Shape1 = nullptr;
    QTimer *KeepTimer = nullptr;
};

} // namespace nerav
