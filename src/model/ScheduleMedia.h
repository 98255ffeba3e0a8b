#pragma once

// The schedule's media files as the lists show them: what the survey found for each name,
// checked against the player profile in the language now, and the running times of the lists.
// Nothing is known until survey() names a place; with an empty media folder nothing is looked
// for, and no entry counts as found or missing.

#include "InterfaceText.h"
#include "MediaSurvey.h"
#include "PlayerProfile.h"
#include "RunningTime.h"
#include "ScheduleDocument.h"

#include <QHash>
#include <QObject>
#include <QTimer>

#include <optional>

namespace nerav {

// Where the files are and what the player plays.
struct MediaPlace
{
    QString mediaFolder; // empty: none chosen
    QString profilePath;
    QString cacheFolder; // empty: no cache

    bool operator==(const MediaPlace &other) const;
    bool operator!=(const MediaPlace &other) const { return !(*this == other); }
};

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
    ScheduleMedia(const ScheduleDocument &document, const InterfaceText &text,
                  QObject *parent = nullptr);

    // Surveys the place from now on; the same place again changes nothing.
    void survey(const MediaPlace &place);
    bool active() const { return m_active; }
    const MediaPlace &place() const { return m_place; }
    // Looks for the files again, for those that changed; left out while a pass is under way.
    void refresh();
    // Files are being looked for or read.
    bool busy() const { return m_survey->isBusy(); }
    // Why the profile cannot be read; empty when it can.
    QString profileProblem() const { return m_profileProblem; }

    // The document changed: the names it gained are looked for (once the changes of this pass
    // of the event loop are done).
    void followDocument();
    // The checks' reasons again, in the language now.
    void retext();

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
    void check(const QString &key, EntryMedia &media) const;

    const ScheduleDocument &m_document;
    const InterfaceText &m_text;
    MediaSurvey *m_survey;
    QTimer m_names; // collects the names once per pass of the event loop
    MediaPlace m_place;
    bool m_active = false;
    std::optional<PlayerProfile> m_profile;
    QString m_profileProblem;
    QHash<QString, EntryMedia> m_files; // by AsciiLower of the name
};

} // namespace nerav
