#pragma once

// Makes a publish plan on a worker thread: reading the medium's copies back to find damaged
// ones can take minutes on a slow stick, and reading each media file's facts takes a moment per
// file; the window stays alive meanwhile.

#include "PlanMedia.h"
#include "PublishPlan.h"

#include <QObject>

#include <atomic>
#include <optional>

class QThread;

namespace nerav {

// True when a plan made without reading the copies (now) shows nothing that differs from one
// made with it (checked): the same originals, copies, actions and problems.
bool PlanStillHolds(const PublishPlan &checked, const PublishPlan &now);

class PlanChecker : public QObject
{
    Q_OBJECT

public:
    explicit PlanChecker(QObject *parent = nullptr);
    ~PlanChecker() override; // cancels a running check and waits for it

    // Starts a check of the document against the request, with media also the media files'
    // facts (CheckPlanMedia); a running check is cancelled first.
    void start(const ScheduleDocument &document, const PublishRequest &request,
               const std::optional<MediaCheckRequest> &media = std::nullopt);
    // Returns once the worker has stopped: at most the file being read is read to its end.
    // finished is not emitted for a cancelled check.
    void cancel();
    bool isRunning() const { return m_thread != nullptr; }

signals:
    void finished(const nerav::PublishPlan &plan);

private:
    void CancelAndWait();

    QThread *m_thread = nullptr;
    int m_generation = 0; // tells the running check's end from a cancelled one's
    std::atomic<bool> m_cancelled {false};
    PublishPlan m_result; // written by the worker, read once it has ended
};

} // namespace nerav
