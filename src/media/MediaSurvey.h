#pragma once

// The media library off the window's thread. Given a place (the media folder, the player
// profile and a cache folder) and the names the document holds, a worker looks the names up in
// the library, probes each file it finds, one at a time, each within the probe's time limit,
// and judges it against the profile. What it learns comes back in batches, at most
// one per BatchInterval, so a folder of cached files does not flood the window. Names the
// document gains are looked for as they come; refresh() looks again and probes the files that
// changed. The cache is saved whenever everything asked for is done.
//
// The worker shares only its own state with this object: destroying the survey or starting it
// over never waits for a probe under way; that probe ends on its own and its result is dropped.

#include "MediaFacts.h"
#include "MediaLibrary.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace nerav {

// What the survey learnt of one name.
struct MediaReport
{
    QString key; // the name as AsciiLower gives it
    QString path; // the file found; empty when there is none
    ProbeResult probe; // NotFound when no file was found
    std::optional<MediaCheck> check; // none for a file read while the profile cannot be read
};

class MediaSurvey : public QObject
{
    Q_OBJECT

public:
    static constexpr int BatchInterval = 50; // milliseconds
    static constexpr int ProbeTimeLimit = 5000; // milliseconds, per file

    explicit MediaSurvey(QObject *parent = nullptr);
    ~MediaSurvey() override;

    // Starts over in the place's media folder, judging by its profile and keeping what was read
    // in its cache folder (empty: no cache); every name given so far is looked for again. An
    // empty media folder stops the survey.
    void start(const MediaPlace &place);
    // Without a profile: the files are found and read, and judged only when not read.
    void start(const QString &mediaFolder, const QString &cacheFolder)
    {
        start(MediaPlace {mediaFolder, QString(), cacheFolder});
    }
    const MediaPlace &place() const { return m_place; }
    // Why the place's profile cannot be read; empty when it can or none is named.
    QString profileProblem() const { return m_profileProblem; }

    // Names of the document, in any case; those not given before are looked for.
    void addNames(const QStringList &names);
    // Looks for every name again; only what changed since is reported.
    void refresh();

    // Names are being looked for or read, or reports wait to be sent.
    bool isBusy() const { return m_timer.isActive(); }

signals:
    void reported(const QList<nerav::MediaReport> &reports);
    // Everything asked for so far has been reported.
    void finished();

private:
    struct Work;

    void submit(const QStringList &keys);
    void collect();

    std::shared_ptr<Work> m_work;
    QStringList m_keys; // every name given, in the order given
    QSet<QString> m_known;
    MediaPlace m_place;
    QString m_profileProblem;
    QTimer m_timer;
};

} // namespace nerav

Q_DECLARE_METATYPE(nerav::MediaReport)
