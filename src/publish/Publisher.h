#pragma once

// Runs a publish: copies what the plan says must be copied through the file copier (each file
// whole under a temporary name, then renamed into place, with its original's modification
// time), reads each copy back from the medium to compare it with its original, and writes the
// schedule file last, with the same writer as Save. Signals arrive on the publisher's thread;
// the copying and the reading back run on worker threads.

#include "PublishPlan.h"
#include "RandomReal.h"
#include "ScheduleDocument.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

class QThread;

namespace nerav {

class FileCopier;

enum class PublishOutcome {
    Published,
    Stopped, // the plan has problems; nothing was written
    CopyFailed,
    VerifyFailed, // a copy differs from its original, or could not be read back
    ScheduleFailed, // the schedule file could not be written
    Cancelled,
};

struct PublishResult
{
    PublishOutcome outcome = PublishOutcome::Stopped;
    int filesCopied = 0;
    qint64 bytesCopied = 0;
    int filesUpToDate = 0;
    bool verified = false; // every copied file was read back and matched
    QString fileName; // the file a failure concerns
    QString reason; // a system's reason, for logs and the command line

    bool ok() const { return outcome == PublishOutcome::Published; }
};

class Publisher : public QObject
{
    Q_OBJECT

public:
    explicit Publisher(QObject *parent = nullptr);
    ~Publisher() override; // cancels a running publish and waits for it

    // Starts a publish of a plan that has no problems; false when one is running or the plan
    // cannot be published (finished is then not emitted). The document and random are used at
    // the end to write the schedule file and must outlive the run.
    bool start(const PublishPlan &plan, const ScheduleDocument &document, RandomReal &random,
               bool verify);
    bool isRunning() const { return m_running; }
    void cancel();

    // Test seam: called with each copy's path on the medium just before it is read back.
    std::function<void(const QString &)> beforeVerify;

    // Runs a publish to its end in a local event loop (for the command line).
    static PublishResult PublishAndWait(const PublishPlan &plan, const ScheduleDocument &document,
                                        RandomReal &random, bool verify);

signals:
    void progressed(qint64 done, qint64 total);
    void currentFileChanged(const QString &name, bool verifying);
    void finished(const PublishResult &result);

private:
    void CopyNext();
    void CopyFinished(bool copied);
    void CopyProgressed(qint64 copied, qint64 total);
    void StartVerify();
    bool VerifyAll(); // on the worker thread
    bool VerifyOne(const PublishRow &row);
    void VerifyDone();
    void WriteSchedule();
    void Finish(PublishOutcome outcome, const QString &fileName = QString(),
                const QString &reason = QString());
    QString MediumPath(const QString &name) const;

    PublishPlan m_plan;
    const ScheduleDocument *m_document = nullptr;
    RandomReal *m_random = nullptr;
    bool m_verify = true;
    bool m_running = false;
    std::vector<std::size_t> m_toCopy; // rows of the plan
    std::size_t m_next = 0;
    qint64 m_doneBefore = 0; // bytes of the files finished so far
    qint64 m_total = 0;
    FileCopier *m_copier = nullptr;
    QThread *m_verifyThread = nullptr;
    std::atomic<bool> m_cancelled {false};
    std::atomic<qint64> m_verifiedBytes {0};
    QString m_verifyFailure; // written on the worker thread, read once it has ended
    QString m_verifyReason;
    PublishResult m_result;
};

} // namespace nerav

Q_DECLARE_METATYPE(nerav::PublishResult)
