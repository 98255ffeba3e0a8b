#pragma once

// One list of the main window in its frame: the column headings, the list over its model, and
// the five buttons Add, Modify, Remove, Move Up and Move Down beside it. The buttons are
// enabled by the row count; the keys, a double click and the rows' context menu ask for the
// same commands (and Duplicate), which the window carries out. The list shows the model's
// selected row and reports the user's choice of row back to it. Under the list a line gives the
// list's running time (for the advance list: how the selected schedule's playlist fits its
// daily window) while the media files are surveyed; entry rows show each file's state and
// duration beside their text.

#include "ColumnHeadings.h"
#include "ScheduleSelection.h"
#include "ScheduleSteps.h"

#include <QGroupBox>

class QLabel;
class QPushButton;
class QTimer;

namespace nerav {

struct CaptionTable;
class ScheduleListView;
class ScheduleModel;

class ListPane : public QGroupBox
{
    Q_OBJECT

public:
    // prefix names the frame (prefix + "Frame"), the list (prefix + "List"), the buttons
    // (prefix + "AddCmd" ...) and the line under the list (prefix + "RunningTime"). An entry
    // list's fourth heading goes over the media column.
    ListPane(ScheduleModel &model, ScheduleList list, const QString &prefix,
             const std::vector<ColumnHeading> &headings, QWidget *parent = nullptr);

    ScheduleList list() const { return m_list; }
    ScheduleListView *view() const { return m_view; }
    // The button of Add, Modify, Remove, Move Up or Move Down.
    QPushButton *button(StepKind kind) const;
    // The line under the list; hidden while there is nothing to say.
    QLabel *summary() const { return m_summary; }

    // The title, the buttons and what a screen reader says of the list, in the language now.
    void applyCaptions(const CaptionTable &captions);

signals:
    // The user asked for the command that makes a step of this kind on the current row.
    void commandRequested(nerav::StepKind kind);
    // The list got the keyboard focus.
    void entered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateButtons();
    void followSelection(const ListSelection &selection);
    // Runs the command of a key or a double click when its button allows it.
    void requestIfAllowed(StepKind kind);
    void showMenu(const QPoint &position);
    // The line under the list and the media heading, once the changes of this pass are done.
    void scheduleSummary();
    void updateSummary();

    ScheduleModel &m_model;
    ScheduleList m_list;
    ScheduleListView *m_view;
    ColumnHeadings *m_headings;
    QStringList m_headingTexts;
    QPushButton *m_buttons[5] = {};
    QLabel *m_summary;
    QTimer *m_summaryTimer;
};

} // namespace nerav
