#pragma once

// Runs a publish: copies what the plan says must be copied (each file whole under a temporary
// name, synced, then given its original's modification time and renamed into place; nothing on
// the medium is written through a link), hashing each original as it is read. The size and time
// the medium then reports for each copy go into the manifest. While one file is
// synced and renamed on a second thread, the next is already being copied. Then each copy is
// read back from the medium and compared with that hash; a copy that differs is removed. The
// manifest of what is on the medium comes next, and the schedule file last. Signals arrive on
// the publisher's thread; the work runs on worker threads.

#include "PublishPlan.h"
#include "RandomReal.h"
#include "ScheduleDocument.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

class QThread;

namespace nerav {

struct CopiedContent;

enum class PublishOutcome {
    Published,
    Stopped, // the plan has problems; nothing was written
    CopyFailed,
    VerifyFailed, // a copy differs from its original, or could not be read back
    ScheduleFailed, // the schedule file (or the manifest before it) could not be written
    Cancelled,
};

struct PublishResult
{
    PublishOutcome outcome = PublishOutcome::Stopped;
    int filesCopied = 0;
    qint64 bytesCopied = 0;
    int filesUpToDate = 0;
    bool verified = false; // files were copied, and every copy was read back and matched
    QString fileName; // the file a failure concerns
    QString reason; // the system's reason, for the window, logs and the command line

    bool ok() const { return outcome == PublishOutcome::Published; }
};

class Publisher : public QObject
{
    Q_OBJECT

public:
    explicit Publisher(QObject *parent = nullptr);
    ~Publisher() override; // cancels a running publish and waits for it

    // Starts a publish of a plan that has no problems; false when one is running or the plan
    // cannot be published (finished is then not emitted). The schedule file's bytes are made
    // here, so the document and random need not outlive the call.
    bool start(const PublishPlan &plan, const ScheduleDocument &document, RandomReal &random,
               bool verify);
    bool isRunning() const { return m_running; }
    void cancel();

    // Test seams, called on a worker thread: with each copy's path on the medium just before it
    // is read back, and with each original's path once part of it has been copied.
    std::function<void(const QString &)> beforeVerify;
    std::function<void(const QString &)> whileCopying;

    // Runs a publish to its end in a local event loop (for the command line).
    static PublishResult PublishAndWait(const PublishPlan &plan, const ScheduleDocument &document,
                                        RandomReal &random, bool verify);

signals:
    void progressed(qint64 done, qint64 total);
    void currentFileChanged(const QString &name, bool verifying);
    void finished(const PublishResult &result);

private:
    struct Copied; // a file committed under its final name

    void Run(); // on the worker thread
    bool CopyAll(std::vector<Copied> &copied);
    bool VerifyAll(std::vector<Copied> &copied);
    void SettleName(const QString &rightName, const QString &oldName);
    void RecordCopy(ManifestEntry &entry) const;
    void RemoveCaseTwins();
    bool WriteManifest(const std::vector<Copied> &copied);
    void WriteSchedule();
    void Fail(PublishOutcome outcome, const QString &fileName, const QString &reason);
    void WorkDone();
    QString MediumPath(const QString &name) const;

    PublishPlan m_plan;
    QString m_folder; // the medium's folder, resolved
    QByteArray m_scheduleBytes;
    bool m_verify = true;
    bool m_running = false;
    qint64 m_total = 0;
    std::atomic<qint64> m_done {0};
    QThread *m_thread = nullptr;
    std::atomic<bool> m_cancelled {false};
    PublishResult m_result; // written by the worker, read once it has ended
};

} // namespace nerav

Q_DECLARE_METATYPE(nerav::PublishResult)
