#include "FileCopier.h"

#include "FileTransfer.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QThread>

namespace nerav {

namespace {

// Moves a file's bytes chunk by chunk: inside the system where it can (no copy through this
// process, and on some file systems no copy at all), through a buffer where it cannot.
class ChunkMover
{
public:
    ChunkMover(QFile &source, QSaveFile &target) : m_source(source), m_target(target) { }

    // Bytes moved, 0 at the end of the source, -1 on a failure.
    qint64 next(qint64 chunkSize)
    {
        if (m_kernelCopy) {
            qint64 copied = 0;
            switch (KernelCopy(m_source.handle(), m_target.handle(), chunkSize, &copied)) {
            case KernelCopyResult::Copied:
                m_started = true;
                return copied;
            case KernelCopyResult::EndOfSource:
                return 0;
            case KernelCopyResult::Failed:
                return -1;
            case KernelCopyResult::Unsupported:
                // Falling back is only safe while neither file position has moved.
                if (m_started)
                    return -1;
                m_kernelCopy = false;
                m_buffer.resize(chunkSize);
                break;
            }
        }
        const qint64 read = m_source.read(m_buffer.data(), m_buffer.size());
        if (read <= 0)
            return read;
        return m_target.write(m_buffer.constData(), read) == read ? read : -1;
    }

private:
    QFile &m_source;
    QSaveFile &m_target;
    QByteArray m_buffer;
    bool m_kernelCopy = true;
    bool m_started = false;
};

// Set on the open temporary file, so the file appears under its name with the time it keeps.
bool KeepModificationTime(QFile &source, QSaveFile &target)
{
    const QDateTime modified = source.fileTime(QFileDevice::FileModificationTime);
    return target.setFileTime(modified, QFileDevice::FileModificationTime);
}

} // namespace

FileCopier::FileCopier(QObject *parent) : QObject(parent) { }

FileCopier::~FileCopier()
{
    if (m_thread) {
        m_cancelled = true;
        m_thread->wait();
        delete m_thread;
    }
}

bool FileCopier::FitsOnVolume(qint64 fileSize, qint64 bytesAvailable,
                              const QByteArray &fileSystemType)
{
    // A volume that cannot tell its free space (-1) is given the benefit of the doubt.
    if (bytesAvailable >= 0 && fileSize > bytesAvailable)
        return false;
    static const QList<QByteArray> fatTypes {"vfat", "msdos", "fat", "fat12", "fat16", "fat32"};
    const qint64 fatFileLimit = Q_INT64_C(4) * 1024 * 1024 * 1024;
    return !(fatTypes.contains(fileSystemType.toLower()) && fileSize >= fatFileLimit);
}

bool FileCopier::CanCopy(const QString &sourcePath, const QString &destinationFolder)
{
    const QFileInfo source(sourcePath);
    if (!source.isFile() || !source.isReadable() || !QFileInfo(destinationFolder).isDir())
        return false;
    const QStorageInfo volume(destinationFolder);
    // A folder whose volume cannot be found (a root that is no mount point, as in a chroot)
    // is tried all the same; the copy itself then reports any failure.
    if (!volume.isValid())
        return true;
    if (!volume.isReady() || volume.isReadOnly())
        return false;
    return FitsOnVolume(source.size(), volume.bytesAvailable(), volume.fileSystemType());
}

bool FileCopier::start(const QString &sourcePath, const QString &destinationPath)
{
    if (m_thread)
        return false;
    m_cancelled = false;
    m_result = false;
    m_thread = QThread::create([this, sourcePath, destinationPath] {
        m_result = CopyInChunks(sourcePath, destinationPath);
    });
    connect(m_thread, &QThread::finished, this, &FileCopier::WorkerDone);
    m_thread->start();
    return true;
}

bool FileCopier::isRunning() const
{
    return m_thread != nullptr;
}

void FileCopier::cancel()
{
    m_cancelled = true;
}

// Runs on the worker thread; the signals it emits are queued to this object's thread.
bool FileCopier::CopyInChunks(const QString &sourcePath, const QString &destinationPath)
{
    // Whole chunks go straight to the files; Qt's own buffers would only copy them once more.
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    QSaveFile target(destinationPath);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    // commit() does not report a failed final flush (a full medium), so flush first.
    if (!CopyContent(source, target) || !target.flush()) {
        target.cancelWriting();
        return false;
    }
    return target.commit();
}

bool FileCopier::CopyContent(QFile &source, QSaveFile &target)
{
    const qint64 total = source.size();
    ChunkMover mover(source, target);
    qint64 copied = 0;
    qint64 lastChunk = 0;
    emit progressed(0, total);
    for (;;) {
        if (m_cancelled)
            return false;
        const qint64 moved = mover.next(ChunkSize);
        if (moved < 0)
            return false;
        if (moved == 0)
            return !m_keepModificationTime || KeepModificationTime(source, target);
        // Each chunk goes to the medium while the next one is copied: the progress shown is
        // the medium's own, and no gigabyte waits in memory for the final sync.
        StartWriteBack(target.handle(), copied, moved);
        if (copied > 0 && !WaitForWriteBack(target.handle(), copied - lastChunk, lastChunk))
            return false;
        copied += moved;
        lastChunk = moved;
        emit progressed(copied, qMax(total, copied));
    }
}

void FileCopier::WorkerDone()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    emit finished(m_result);
}

} // namespace nerav
