#pragma once

// Puts copied files in place on a thread of its own while the next files are copied. Whatever
// has queued up meanwhile is synced together, with one sync of their file system, so a medium
// is not asked to commit its journal and flush its cache once per small file; only when that
// sync said yes are they renamed into place, in the order they were added, and their folder
// synced once. A failed sync drops the whole batch and everything still queued, leaving the
// old versions in place.

#include "DurableFile.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace nerav {

class CommitQueue
{
public:
    // committed is called on the queue's thread after each file is in place.
    CommitQueue(const QString &folder, std::function<void(int tag)> committed);
    ~CommitQueue(); // finish() unless called

    // Waits while more than maxBytes (or maxFiles) wait to be committed; false once a commit
    // failed (the file is then dropped).
    bool add(std::unique_ptr<DurableFile> file, qint64 bytes, int tag);
    // Commits what is queued; the first failure, or an empty reason when all went well.
    DurableWriteResult finish();
    bool failed() const;
    int failedTag() const { return m_failedTag; } // after finish(): the file that failed, or -1

    // A sync costs the medium about the same for one small file as for many: files wait until
    // this much is queued (or the copying has ended) and go in place together.
    static constexpr qint64 BatchBytes = 64 * 1024 * 1024;
    static constexpr int BatchFiles = 16;
    static constexpr qint64 MaxBytes = 256 * 1024 * 1024;
    static constexpr int MaxFiles = 64;

private:
    struct Item
    {
        std::unique_ptr<DurableFile> file;
        qint64 bytes = 0;
        int tag = 0;
    };

    void Run();

    QString m_folder;
    std::function<void(int)> m_committed;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Item> m_items;
    qint64 m_queuedBytes = 0;
    bool m_closing = false;
    bool m_failed = false;
    DurableWriteResult m_failure {true, QString()};
    int m_failedTag = -1;
    std::thread m_thread;
};

} // namespace nerav
