#include "FileCopier.h"

#include "ContentHash.h"
#include "FileTransfer.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace nerav {

namespace {

// Reads up to size bytes; -1 with errno on a failure.
qint64 ReadSome(int fd, char *data, qint64 size)
{
    ssize_t result;
    do {
        result = ::read(fd, data, size_t(size));
    } while (result < 0 && errno == EINTR);
    return result;
}

bool SameStatus(const struct stat &a, const struct stat &b)
{
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
            a.st_mtim.tv_nsec == b.st_mtim.tv_nsec && a.st_ctim.tv_sec == b.st_ctim.tv_sec &&
            a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

QDateTime TimeOf(const struct timespec &time)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(time.tv_sec) * 1000 + time.tv_nsec / 1000000,
                                          Qt::UTC);
}

// Hashes each chunk on a second thread while the caller reads the next one into its other
// buffer or writes this one out; a chunk's buffer must stay untouched until the next add().
class PipelinedHash
{
public:
    ~PipelinedHash() { wait(); }
    void add(const char *data, qint64 size)
    {
        wait();
        m_pending =
                std::async(std::launch::async, [this, data, size] { m_hash.addData(data, size); });
    }
    QByteArray result()
    {
        wait();
        return m_hash.result();
    }

private:
    void wait()
    {
        if (m_pending.valid())
            m_pending.get();
    }

    ContentHash m_hash;
    std::future<void> m_pending;
};

// Moves a file's bytes chunk by chunk: inside the system where it can and no hash is wanted
// (no copy through this process, and on some file systems no copy at all), through a buffer
// where it cannot.
class ChunkMover
{
public:
    ChunkMover(int source, const QString &sourcePath, DurableFile &target, bool hash)
        : m_source(source), m_sourcePath(sourcePath), m_target(target), m_kernelCopy(!hash)
    {
        if (hash)
            m_hash.emplace();
        if (!m_kernelCopy)
            UseBuffers();
    }

    // Bytes moved, 0 at the end of the source, -1 on a failure (then error says why).
    qint64 next(QString &error)
    {
        if (m_kernelCopy) {
            qint64 copied = 0;
            switch (KernelCopy(m_source, m_target.handle(), FileCopier::ChunkSize, &copied)) {
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
                UseBuffers();
                break;
            }
        }
        // Two buffers: while one is hashed and written, the next chunk is read into the other.
        QByteArray &buffer = m_buffers[m_turn];
        m_turn ^= 1;
        const qint64 read = ReadSome(m_source, buffer.data(), buffer.size());
        if (read < 0)
            error = QStringLiteral("Cannot read %1: %2").arg(m_sourcePath, SystemErrorText(errno));
        if (read <= 0)
            return read;
        // The disk fetches the next chunk while this one is hashed and written.
        m_offset += read;
        ReadAhead(m_source, m_offset, buffer.size());
        if (m_hash)
            m_hash->add(buffer.constData(), read);
        const DurableWriteResult written = m_target.write(buffer.constData(), read);
        error = written.reason;
        return written ? read : -1;
    }

    QByteArray hash() { return m_hash ? m_hash->result() : QByteArray(); }

private:
    int m_source;
    QString m_sourcePath;
    DurableFile &m_target;
    void UseBuffers()
    {
        for (QByteArray &buffer : m_buffers)
            buffer.resize(FileCopier::ChunkSize);
    }

    QByteArray m_buffers[2];
    int m_turn = 0;
    qint64 m_offset = 0;
    std::optional<PipelinedHash> m_hash; // after the buffers, so it is gone before them
    bool m_kernelCopy = true;
    bool m_started = false;
};

bool CopyChunks(ChunkMover &mover, DurableFile &target, qint64 total, const CopySettings &settings,
                QString &reason)
{
    qint64 copied = 0;
    qint64 lastChunk = 0;
    if (settings.progressed)
        settings.progressed(0, total);
    for (;;) {
        if (settings.cancelled && *settings.cancelled) {
            reason = QStringLiteral("The copy was cancelled");
            return false;
        }
        const qint64 moved = mover.next(reason);
        if (moved < 0)
            return false;
        if (moved == 0)
            return true;
        // Each chunk goes to the medium while the next one is copied: the progress shown is
        // the medium's own, and no gigabyte waits in memory for the final sync.
        StartWriteBack(target.handle(), copied, moved);
        if (settings.waitForEachChunk && copied > 0 &&
            !WaitForWriteBack(target.handle(), copied - lastChunk, lastChunk)) {
            reason = target.failure(QStringLiteral("the data did not reach the medium: "), errno)
                             .reason;
            return false;
        }
        if (copied == 0 && settings.afterFirstChunk)
            settings.afterFirstChunk();
        copied += moved;
        lastChunk = moved;
        if (settings.progressed)
            settings.progressed(copied, qMax(total, copied));
    }
}

} // namespace

int OpenRegularFile(const QString &path, QString &reason)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = QStringLiteral("Cannot open %1: %2").arg(path, SystemErrorText(errno));
        return -1;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0) {
        reason = QStringLiteral("Cannot open %1: %2").arg(path, SystemErrorText(errno));
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(status.st_mode)) {
        reason = QStringLiteral("Cannot read %1: it is %2, not a regular file")
                         .arg(path, FileKindText(status.st_mode));
        ::close(fd);
        return -1;
    }
    AdviseSequentialRead(fd);
    return fd;
}

CopiedContent CopyInto(const QString &sourcePath, DurableFile &target, const CopySettings &settings)
{
    CopiedContent content;
    const int source = OpenRegularFile(sourcePath, content.reason);
    if (source < 0)
        return content;
    struct stat before;
    ::fstat(source, &before);
    ChunkMover mover(source, sourcePath, target, settings.hash);
    bool ok = CopyChunks(mover, target, before.st_size, settings, content.reason);
    // A source written to or replaced while it was read gives a copy of neither version.
    struct stat after;
    struct stat named;
    if (ok &&
        (::fstat(source, &after) != 0 || !SameStatus(before, after) ||
         ::stat(QFile::encodeName(sourcePath).constData(), &named) != 0 ||
         !SameStatus(before, named))) {
        content.reason =
                QStringLiteral("%1 changed while it was copied; copy it again").arg(sourcePath);
        ok = false;
    }
    if (ok && settings.keepModificationTime) {
        const struct timespec times[2] = {{0, UTIME_OMIT}, before.st_mtim};
        if (::futimens(target.handle(), times) != 0) {
            content.reason = target.failure(QStringLiteral("the modification time could not be "
                                                           "set: "),
                                            errno)
                                     .reason;
            ok = false;
        }
    }
    ::close(source);
    if (!ok)
        return content;
    content.hash = mover.hash();
    if (settings.hash && content.hash.isEmpty()) {
        content.reason = QStringLiteral("%1 could not be hashed").arg(sourcePath);
        return content;
    }
    content.ok = true;
    content.size = before.st_size;
    content.modified = TimeOf(before.st_mtim);
    return content;
}

QByteArray HashOfFile(const QString &path, QString &reason, const std::atomic<bool> *cancelled,
                      const std::function<void(qint64)> &progressed)
{
    const int fd = OpenRegularFile(path, reason);
    if (fd < 0)
        return QByteArray();
    // Read from the medium, not from what the system still holds of the file.
    FlushAndDropCache(fd);
    QByteArray buffers[2] = {QByteArray(FileCopier::ChunkSize, Qt::Uninitialized),
                             QByteArray(FileCopier::ChunkSize, Qt::Uninitialized)};
    PipelinedHash hash; // after the buffers, so it is gone before them
    qint64 done = 0;
    for (int turn = 0;; turn ^= 1) {
        QByteArray &buffer = buffers[turn];
        if (cancelled && *cancelled) {
            reason = QStringLiteral("Cancelled");
            ::close(fd);
            return QByteArray();
        }
        const qint64 read = ReadSome(fd, buffer.data(), buffer.size());
        if (read < 0) {
            reason = QStringLiteral("Cannot read %1: %2").arg(path, SystemErrorText(errno));
            ::close(fd);
            return QByteArray();
        }
        if (read == 0)
            break;
        done += read;
        ReadAhead(fd, done, buffer.size());
        hash.add(buffer.constData(), read);
        if (progressed)
            progressed(done);
    }
    ::close(fd);
    const QByteArray result = hash.result();
    if (result.isEmpty())
        reason = QStringLiteral("%1 could not be hashed").arg(path);
    return result;
}

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
        // Runs on the worker thread; the signals it emits are queued to this object's thread.
        CopySettings settings;
        settings.keepModificationTime = m_keepModificationTime;
        settings.cancelled = &m_cancelled;
        settings.progressed = [this](qint64 copied, qint64 total) {
            emit progressed(copied, total);
        };
        DurableFile target(destinationPath);
        DurableWriteResult result = target.open();
        if (result) {
            const CopiedContent copied = CopyInto(sourcePath, target, settings);
            if (!copied)
                result = {false, copied.reason}; // the target's destructor removes the temporary
        }
        if (result)
            result = target.commit();
        m_failureReason = result.reason;
        m_result = result.ok;
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

void FileCopier::WorkerDone()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    emit finished(m_result);
}

} // namespace nerav
