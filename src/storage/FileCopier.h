#pragma once

// Copies one file in chunks on a worker thread, so a window stays alive while gigabytes go
// to a slow medium. The destination is written through a DurableFile: an existing file there is
// replaced only once the new copy is complete and on the medium, and a copy that fails or is
// cancelled leaves no partial or temporary file behind. The source is only read, and only when
// it is a regular file (a FIFO or device is refused at once, never waited on); a source that
// changes while it is read fails the copy. One copier copies one file at a time; start the next
// one after finished. CopyInto is the same copy without a thread, for callers that have their own.

#include "DurableFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>

class QThread;

namespace nerav {

struct CopySettings
{
    bool keepModificationTime = false; // the copy takes its source's modification time
    bool hash = false; // hash what is read (the bytes then pass through this process)
    // Wait for each chunk to reach the medium before the next one (the progress is then the
    // medium's own); a caller that syncs many files at once lets them queue up instead.
    bool waitForEachChunk = true;
    const std::atomic<bool> *cancelled = nullptr;
    std::function<void(qint64 copied, qint64 total)> progressed;
    std::function<void()> afterFirstChunk; // test seam: the source is open and partly read
};

struct CopiedContent
{
    bool ok = false;
    QString reason; // naming the file and the system's text; empty on success
    qint64 size = 0; // of the source, as read
    QDateTime modified; // of the source, as read
    QByteArray hash; // of the bytes read, when asked for

    explicit operator bool() const { return ok; }
};

// Opens a file for reading without waiting (a FIFO never blocks) and only when it is a regular
// file; -1 with the reason otherwise. The descriptor is closed by the caller.
int OpenRegularFile(const QString &path, QString &reason);

// Copies the source's bytes into a target that is open and not yet committed.
CopiedContent CopyInto(const QString &sourcePath, DurableFile &target,
                       const CopySettings &settings);

// The content hash of a regular file, read from the medium itself where the system allows it
// (the file's cached pages are dropped first). Empty with the reason on failure.
QByteArray HashOfFile(const QString &path, QString &reason,
                      const std::atomic<bool> *cancelled = nullptr,
                      const std::function<void(qint64)> &progressed = {});

class FileCopier : public QObject
{
    Q_OBJECT

public:
    explicit FileCopier(QObject *parent = nullptr);
    ~FileCopier() override; // cancels a running copy and waits for it

    // True when a file of fileSize bytes can go onto a volume with that much room and file
    // system: enough free space, and below the volume's file size limit. fileSizeBits is the
    // system's answer to pathconf(_PC_FILESIZEBITS) (32 on FAT: below 4 GiB); where it has
    // none (-1), the file system's type name tells FAT.
    static bool FitsOnVolume(qint64 fileSize, qint64 bytesAvailable,
                             const QByteArray &fileSystemType, long fileSizeBits = -1);

    // The checks that would otherwise fail late: a readable source file, an existing
    // destination folder and room on its volume.
    static bool CanCopy(const QString &sourcePath, const QString &destinationFolder);

    // Starts copying sourcePath to destinationPath; false when a copy is already running.
    // progressed and finished arrive on this object's thread.
    bool start(const QString &sourcePath, const QString &destinationPath);
    bool isRunning() const;
    void cancel();
    // Why the last copy failed, naming the file and the system's error; empty after success.
    QString failureReason() const { return m_failureReason; }

    // The copy takes its source's modification time, so a later check can tell it is the same.
    void setKeepModificationTime(bool keep) { m_keepModificationTime = keep; }

    static constexpr qint64 ChunkSize = 4 * 1024 * 1024;

signals:
    void progressed(qint64 copied, qint64 total);
    void finished(bool copied);

private:
    void WorkerDone();

    QThread *m_thread = nullptr;
    std::atomic<bool> m_cancelled {false};
    std::atomic<bool> m_result {false};
    bool m_keepModificationTime = false;
    QString m_failureReason; // written by the worker, read once it has finished
};

} // namespace nerav
