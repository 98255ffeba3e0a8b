#pragma once

// The schedule's media files as the lists show them: what the survey found for each name and
// what the player profile makes of it, and the running times of the lists.
// Nothing is known until survey() names a place; with an empty media folder nothing is looked
// for, and no entry counts as found or missing.

#include "MediaSurvey.h"
#include "PlayerProfile.h"
#include "RunningTime.h"
#include "ScheduleDocument.h"

#include <QHash>
#include <QObject>
#include <QTimer>

#include <optional>

namespace nerav {

// What is known of one entry's file.
struct EntryMedia
{
    QString path; // empty when not found
    ProbeResult probe;
    std::optional<MediaCheck> check; // none for a file read while the profile cannot be read
};

class ScheduleMedia : public QObject
{
    Q_OBJECT

public:
    explicit ScheduleMedia(const ScheduleDocument &document, QObject *parent = nullptr);

    // Surveys the place from now on; the same place again changes nothing.
    void survey(const MediaPlace &place);
    bool active() const { return m_active; }
    const MediaPlace &place() const { return m_survey->place(); }
    // Looks for the files again, for those that changed; left out while a pass is under way.
    void refresh();
    // Files are being looked for or read.
    bool busy() const { return m_survey->isBusy(); }
    // Why the profile cannot be read; empty when it can.
    QString profileProblem() const { return m_survey->profileProblem(); }

    // The document changed: the names it gained are looked for (once the changes of this pass
    // of the event loop are done).
    void followDocument();

    // Nothing while the entry's file has not been looked for.
    const EntryMedia *find(const ScheduleEntry &entry) const;
    RunningTime runningTime(const std::vector<ScheduleEntry> &entries) const;

signals:
    // Files were found or read, or the place changed: rows and running times may read anew.
    void changed();
    // Everything named so far has been looked for and read.
    void finished();

private:
    void collectNames();
    void take(const QList<MediaReport> &reports);

    const ScheduleDocument &m_document;
    MediaSurvey *m_survey;
    QTimer m_names; // collects the names once per pass of the event loop
    bool m_active = false;
    QHash<QString, EntryMedia> m_files; // by AsciiLower of the name
};

} // namespace nerav
