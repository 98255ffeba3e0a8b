#include "CommitQueue.h"

#include "FileSync.h"

#include <vector>

namespace nerav {

CommitQueue::CommitQueue(const QString &folder, std::function<void(int tag)> committed)
    : m_folder(folder), m_committed(std::move(committed)), m_thread([this] { Run(); })
{
}

CommitQueue::~CommitQueue()
{
    finish();
}

bool CommitQueue::add(std::unique_ptr<DurableFile> file, qint64 bytes, int tag)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] {
        return m_failed || (m_queuedBytes < MaxBytes && m_items.size() < std::size_t(MaxFiles));
    });
    if (m_failed)
        return false; // the file's destructor removes its temporary file
    m_items.push_back({std::move(file), bytes, tag});
    m_queuedBytes += bytes;
    m_changed.notify_all();
    return true;
}

DurableWriteResult CommitQueue::finish()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closing = true;
        m_changed.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
    return m_failure;
}

bool CommitQueue::failed() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_failed;
}

void CommitQueue::Run()
{
    for (;;) {
        std::vector<Item> batch;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] {
                qint64 waiting = 0;
                for (const Item &item : m_items)
                    waiting += item.bytes;
                return m_closing || waiting >= BatchBytes ||
                        m_items.size() >= std::size_t(BatchFiles);
            });
            if (m_items.empty())
                return;
            for (Item &item : m_items)
                batch.push_back(std::move(item));
            m_items.clear();
        }
        bool failed = false;
        DurableWriteResult failure;
        int failedTag = -1;
        if (const int error = SyncFileSystem(batch.front().file->handle())) {
            failed = true;
            failure = batch.front().file->failure(
                    QStringLiteral("the data did not reach the medium: "), error);
            failedTag = batch.front().tag;
        }
        std::vector<int> renamed;
        for (Item &item : batch) {
            if (!failed) {
                const DurableWriteResult committed = item.file->commitAfterSync();
                if (committed)
                    renamed.push_back(item.tag);
                else {
                    failed = true;
                    failure = committed;
                    failedTag = item.tag;
                }
            }
            item.file.reset();
        }
        if (!renamed.empty()) {
            if (const int error = SyncFolder(m_folder)) {
                failed = true;
                failure = {false,
                           QStringLiteral("The copies were written, but the folder %1 did "
                                          "not reach the medium (%2); the medium may be "
                                          "failing")
                                   .arg(m_folder, SystemErrorText(error))};
                failedTag = renamed.front();
            }
            for (int tag : renamed)
                m_committed(tag);
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const Item &item : batch)
            m_queuedBytes -= item.bytes;
        if (failed) {
            m_failed = true;
            m_failure = failure;
            m_failedTag = failedTag;
            m_items.clear(); // dropped: their temporary files go, the old versions stay
            m_queuedBytes = 0;
        }
        m_changed.notify_all();
    }
}

} // namespace nerav
