#pragma once

// One publish from the choice of a medium to its result, without a window: the check of what
// the medium needs (the media files and the copies that look up to date read beside the
// caller), the copies read back again when the medium changed since the check, the publish and
// what the medium holds afterwards. The publish dialog shows it; nrvtool drives it.

#include "PlanMedia.h"
#include "PublishPlan.h"
#include "Publisher.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

#include <optional>

namespace nerav {

class PlanChecker;

enum class PublishState {
    ChooseMedium, // no check belongs to the medium and media folder given: none yet, or changed
    Checking, // the plan is made; the media files, and copies that look up to date, are read
    ReadingBack, // Publish waits for the copies that look up to date to be read back
    Ready, // checked, and nothing stops a publish
    Blocked, // checked, and a problem of the plan stops a publish
    Publishing,
    Done, // published; the plan shows what the medium holds now
    Failed, // not published: result() says why
};

class PublishSession : public QObject
{
    Q_OBJECT

public:
    // document and random must outlive the session.
    PublishSession(const ScheduleDocument &document, RandomReal &random, QObject *parent = nullptr);
    ~PublishSession() override; // stops a running check or publish and waits for it

    PublishState state() const { return m_state; }
    // The plan of the last check, or after a publish of what the medium holds then; empty in
    // ChooseMedium.
    const PublishPlan &plan() const { return m_plan; }
    // The last publish's result, in Done and Failed.
    const PublishResult &result() const { return m_result; }
    // In Checking: whether copies on the medium are read back, or only the media files.
    bool readingCopies() const { return !m_copiesChecked; }
    // Reading back or publishing: the inputs stay as they are; cancel() stops the work.
    bool isBusy() const
    {
        return m_state == PublishState::ReadingBack || m_state == PublishState::Publishing;
    }
    // Reading or writing beside the caller: a state that waits for the user comes next.
    bool isWorking() const { return m_state == PublishState::Checking || isBusy(); }
    bool canPublish() const;
    // Milliseconds since the running publish started.
    qint64 publishingFor() const { return m_clock.isValid() ? m_clock.elapsed() : 0; }

    // Checks the document against the request: the plan at once, then (Checking) the copies
    // that look up to date read back and, with media, the media files read. A running check is
    // cancelled first; nothing happens while busy.
    void check(const PublishRequest &request,
               const std::optional<MediaCheckRequest> &media = std::nullopt);
    // The medium or media folder changed: the check no longer holds, a running one stops.
    void forgetCheck();
    // Publishes what the last check found, made again first (the medium or the media folder may
    // have changed); copies that look up to date are read back first when that check did not
    // read them. False when there is nothing to publish (canPublish()).
    bool publish(bool verify);
    // Stops a check (ChooseMedium), a read-back (Failed, cancelled) or a publish (Failed once
    // the publisher has stopped).
    void cancel();

    // Runs a local event loop while the session works (for the command line).
    PublishState waitWhileWorking();

signals:
    // A new plan to show; state() is already the step's. Never in ChooseMedium.
    void planChanged();
    // After each step, also when the state stays what it was (a check made again).
    void stateChanged(nerav::PublishState state);
    void progressed(qint64 done, qint64 total);
    // number: 1-based among the count files copied; 0 for the schedule file.
    void currentFileChanged(const QString &name, int number, int count, bool verifying);

private:
    void CheckFinished(const PublishPlan &plan);
    PublishState StartPublish(); // Publishing, or Failed when it cannot start
    void PublishFinished(const PublishResult &result);
    void FileStarted(const QString &name, bool verifying);
    void Step(PublishState state, bool newPlan);
    PublishRequest QuickRequest() const; // trusts the manifest without reading the copies

    const ScheduleDocument &m_document;
    RandomReal &m_random;
    PlanChecker *m_checker = nullptr;
    Publisher *m_publisher = nullptr;
    PublishState m_state = PublishState::ChooseMedium;
    PublishRequest m_request;
    std::optional<MediaCheckRequest> m_media;
    PublishPlan m_plan;
    bool m_copiesChecked = true; // m_plan's up-to-date copies were read back
    bool m_verify = true;
    PublishResult m_result;
    QStringList m_copying; // the names the running publish copies, in its order
    QElapsedTimer m_clock;
};

} // namespace nerav
