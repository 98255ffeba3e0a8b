#pragma once

// Drag and drop on the rows of a main-window list. Media files dropped from a file manager
// become entries (play count 1, default volume) at the drop position, in the order dropped;
// each name must pass the entry editor's file-name rule and the list's limit, and the refused
// files are named in one message with their reasons (a folder is refused too). A row dragged
// within its list moves there as the same swaps Move Up or Move Down would make, so the rows
// and the document end as those commands would leave them. Each drop is one undoable step.

#include "AppContext.h"
#include "EditSteps.h"

#include <QList>
#include <QObject>
#include <QUrl>
#include <functional>

class QListWidget;

namespace nerav {

struct ListDropHooks
{
    // The advance schedule whose details the list shows; -1 when it shows none. Unset for the
    // basic and advance lists.
    std::function<int()> owner;
    std::function<void(EditStep *)> push;
};

class ListDrops : public QObject
{
    Q_OBJECT

public:
    // Watches list, which shows which; the object belongs to list.
    ListDrops(QListWidget *list, AppContext &context, StepView &view, ScheduleList which,
              ListDropHooks hooks);

    // Adds the local files of urls at row; refused ones are named in one message.
    void dropFiles(const QList<QUrl> &urls, int row);
    // Moves the row from to the position before row to (0..count) as one step.
    void moveRow(int from, int to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool acceptsFiles() const;
    int rowAt(const QPoint &position) const; // the insertion position under a point

    QListWidget *m_list;
    AppContext &m_context;
    StepView &m_view;
    ScheduleList m_which;
    ListDropHooks m_hooks;
};

} // namespace nerav
