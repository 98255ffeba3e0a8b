#pragma once

// What the main window's lists tell beyond their row texts. Each list is named for a screen
// reader by its frame's title and described by its column headings; each entry row's
// accessible description names its columns ("再生回数 1, 音量 標準"), and each advance schedule
// row has its whole window (dates with times, week day, number of entries) as tooltip and
// description. Rows change from many places (refreshes, the editors, the list commands), so
// the rows are described again from the document once any change of a list is complete.

#include "InterfaceText.h"
#include "ScheduleDocument.h"

#include <QListWidget>
#include <QObject>

namespace nerav {

class ListDescriptions : public QObject
{
public:
    struct Lists
    {
        QListWidget *normalList;
        QListWidget *advanceList;
        QListWidget *detailList;
    };

    ListDescriptions(const ScheduleDocument &document, const CaptionTable &captions,
                     const Lists &lists, QObject *parent);

    // Names and describes the three lists; the titles are those of their frames.
    void nameLists(const QString &normalTitle, const QString &advanceTitle,
                   const QString &detailTitle);

    // Describes every row now.
    void describeRows();

private:
    void describeSoon();

    const ScheduleDocument &m_document;
    const CaptionTable &m_captions;
    Lists m_lists;
    bool m_pending = false;
};

} // namespace nerav
