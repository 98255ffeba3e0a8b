#pragma once

// The schedule document as the windows see it: three list models (basic entries, advance
// schedules, the details of the selected advance schedule), the selected row of each, and the
// undo history every change goes through. Undo steps (ScheduleSteps.h) change the document
// only through the edit functions here, which announce each change to the list models; the
// views follow those signals and selectionChanged. What the media survey learns of the files
// (ScheduleMedia) shows in the rows' roles and in each list's summary line.

#include "InterfaceText.h"
#include "MediaRowText.h"
#include "ScheduleDocument.h"
#include "ScheduleSelection.h"

#include <QList>
#include <QObject>
#include <QUrl>
#include <vector>

class QUndoStack;

namespace nerav {

class ScheduleListModel;
class ScheduleMedia;
class ScheduleStep;

class ScheduleModel : public QObject
{
    Q_OBJECT

public:
    ScheduleModel(ScheduleDocument &document, const InterfaceText &text, QUndoStack &history,
                  QObject *parent = nullptr);
    ~ScheduleModel() override;

    ScheduleListModel *list(ScheduleList which) const;
    const ScheduleDocument &document() const { return m_document; }
    const InterfaceText &text() const { return m_text; }
    QUndoStack &history() const { return m_history; }
    ScheduleMedia &media() const { return *m_media; }

    // Rows of a list; the details are those of the advance schedule whose details are shown.
    int rowCount(ScheduleList which) const;
    // The advance schedule whose details the detail list shows; -1 for none.
    int detailOwner() const { return m_owner; }
    // The most rows the list may hold.
    static int limit(ScheduleList which);

    ListSelection selection() const { return m_selection; }
    // A view's selected row changed; a newly selected advance schedule shows its details from
    // the first.
    void setCurrentRow(ScheduleList which, int row);
    // Selects these rows in all three lists, bringing up the details of selection.advance.
    void select(const ListSelection &selection);

    // Pushes step onto the history, which does it.
    void push(ScheduleStep *step);

    // Media files dropped at row of the basic list or the shown details, as one undoable step;
    // refused ones are named in dropRefused.
    void dropFiles(ScheduleList which, const QList<QUrl> &urls, int row);
    // A row dragged to the place before row to (0..count), as one undoable step.
    bool dragRow(ScheduleList which, int from, int to);

    // The document replaced (New, Open): the lists start again, the first rows selected.
    void resetDocument(ScheduleDocument document);
    // Every row's texts again, after the language changed.
    void retext();

    // The line under a list: the running time of the basic list or of the details shown, and
    // for the advance list how the selected schedule's playlist fits its daily window.
    ListSummary summary(ScheduleList which) const;

    // The edits the undo steps make. owner: the advance schedule whose details change.
    template<class Record>
    void insertRecords(ScheduleList which, int owner, int row, const std::vector<Record> &records);
    template<class Record>
    std::vector<Record> takeRecords(ScheduleList which, int owner, int row, int count);
    void replaceEntry(ScheduleList which, int owner, int row, const ScheduleEntry &entry);
    // The schedule's date/time window and week day; its details stay.
    void replaceWindow(int row, const AdvanceSchedule &window);
    // Moves the record at from so that it ends at index to.
    void moveRecord(ScheduleList which, int owner, int from, int to);

signals:
    void selectionChanged(const nerav::ListSelection &selection);
    // After every change of the document's records, and after resetDocument.
    void documentChanged();
    // The message naming the dropped files that were refused, with their reasons.
    void dropRefused(const QString &text);
    // The media survey learnt something, or started over: rows and summaries read anew.
    void mediaChanged();

private:
    class Editing;
    void showDetailsOf(int owner);
    void detailCountChanged(int owner);
    void announceMedia();
    std::vector<ScheduleEntry> &entries(ScheduleList which, int owner);

    ScheduleDocument &m_document;
    const InterfaceText &m_text;
    QUndoStack &m_history;
    ScheduleListModel *m_lists[3];
    ScheduleMedia *m_media;
    ListSelection m_selection;
    int m_owner = -1;
    int m_editing = 0; // views' row changes during an edit are not the user's choice
};

template<>
void ScheduleModel::insertRecords(ScheduleList, int, int, const std::vector<ScheduleEntry> &);
template<>
void ScheduleModel::insertRecords(ScheduleList, int, int, const std::vector<AdvanceSchedule> &);
template<>
std::vector<ScheduleEntry> ScheduleModel::takeRecords(ScheduleList, int, int, int);
template<>
std::vector<AdvanceSchedule> ScheduleModel::takeRecords(ScheduleList, int, int, int);

} // namespace nerav
