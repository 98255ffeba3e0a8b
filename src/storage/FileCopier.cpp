#include "FileCopier.h"

#include "DurableFile.h"
#include "FileTransfer.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QThread>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace nerav {

namespace {

// Moves a file's bytes chunk by chunk: inside the system where it can (no copy through this
// process, and on some file systems no copy at all), through a buffer where it cannot.
class ChunkMover
{
public:
    ChunkMover(QFile &source, DurableFile &target) : m_source(source), m_target(target) { }

    // Bytes moved, 0 at the end of the source, -1 on a failure (then error says why).
    qint64 next(qint64 chunkSize, QString &error)
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
                error = m_target.failure(QString(), errno).reason;
                return -1;
            case KernelCopyResult::Unsupported:
                // Falling back is only safe while neither file position has moved.
                if (m_started) {
                    error = m_target.failure(QString(), errno).reason;
                    return -1;
                }
                m_kernelCopy = false;
                m_buffer.resize(chunkSize);
                break;
            }
        }
        const qint64 read = m_source.read(m_buffer.data(), m_buffer.size());
        if (read < 0)
            error = QStringLiteral("Cannot read %1: %2")
                            .arg(m_source.fileName(), m_source.errorString());
        if (read <= 0)
            return read;
        const DurableWriteResult written = m_target.write(m_buffer.constData(), read);
        error = written.reason;
        return written ? read : -1;
    }

private:
    QFile &m_source;
    DurableFile &m_target;
    QByteArray m_buffer;
    bool m_kernelCopy = true;
    bool m_started = false;
};

// Set on the open temporary file, so the file appears under its name with the time it keeps.
bool KeepModificationTime(QFile &source, DurableFile &target, QString &reason)
{
    struct stat info;
    if (::fstat(source.handle(), &info) != 0) {
        reason = QStringLiteral("Cannot read the time of %1").arg(source.fileName());
        return false;
    }
    const struct timespec times[2] = {{0, UTIME_OMIT}, info.st_mtim};
    if (::futimens(target.handle(), times) != 0) {
        reason = target.failure(QStringLiteral("the modification time could not be set: "), errno)
                         .reason;
        return false;
    }
    return true;
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
                              const QByteArray &fileSystemType, long fileSizeBits)
{
    // A volume that cannot tell its free space (-1) is given the benefit of the doubt.
    if (bytesAvailable >= 0 && fileSize > bytesAvailable)
        return false;
    // The system's own answer: 32 bits on FAT, however it is mounted (FUSE too).
    if (fileSizeBits > 0 && fileSizeBits < 63)
        return fileSize < (Q_INT64_C(1) << fileSizeBits);
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
    return FitsOnVolume(
            source.size(), volume.bytesAvailable(), volume.fileSystemType(),
            ::pathconf(QFile::encodeName(destinationFolder).constData(), _PC_FILESIZEBITS));
}

bool FileCopier::start(const QString &sourcePath, const QString &destinationPath)
{
    if (m_thread)
        return false;
    m_cancelled = false;
    m_result = false;
    m_failureReason.clear();
    m_thread = QThread::create([this, sourcePath, destinationPath] {
        m_result = CopyInChunks(sourcePath, destinationPath, m_failureReason);
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
bool FileCopier::CopyInChunks(const QString &sourcePath, const QString &destinationPath,
                              QString &reason)
{
    // Whole chunks go straight to the files; Qt's own buffers would only copy them once more.
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        reason = QStringLiteral("Cannot open %1: %2").arg(sourcePath, source.errorString());
        return false;
    }
    DurableFile target(destinationPath);
    DurableWriteResult result = target.open();
    if (result && !CopyContent(source, target, reason))
        return false; // the target's destructor removes the temporary file
    if (result)
        result = target.commit();
    reason = result.reason;
    return result.ok;
}

bool FileCopier::CopyContent(QFile &source, DurableFile &target, QString &reason)
{
    const qint64 total = source.size();
    ChunkMover mover(source, target);
    qint64 copied = 0;
    qint64 lastChunk = 0;
    emit progressed(0, total);
    for (;;) {
        if (m_cancelled) {
            reason = QStringLiteral("The copy was cancelled");
            return false;
        }
        const qint64 moved = mover.next(ChunkSize, reason);
        if (moved < 0)
            return false;
        if (moved == 0)
            return !m_keepModificationTime || KeepModificationTime(source, target, reason);
        // Each chunk goes to the medium while the next one is copied: the progress shown is
        // the medium's own, and no gigabyte waits in memory for the final sync.
        StartWriteBack(target.handle(), copied, moved);
        if (copied > 0 && !WaitForWriteBack(target.handle(), copied - lastChunk, lastChunk)) {
            reason = target.failure(QStringLiteral("the data did not reach the medium: "), errno)
                             .reason;
            return false;
        }
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
