#include "FileCopier.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QThread>

namespace nerav {

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
    const qint64 total = source.size();
    QSaveFile target(destinationPath);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    QByteArray buffer(ChunkSize, Qt::Uninitialized);
    qint64 copied = 0;
    emit progressed(0, total);
    for (;;) {
        if (m_cancelled) {
            target.cancelWriting();
            return false;
        }
        const qint64 read = source.read(buffer.data(), buffer.size());
        if (read == 0)
            break;
        if (read < 0 || target.write(buffer.constData(), read) != read) {
            target.cancelWriting();
            return false;
        }
        copied += read;
        emit progressed(copied, qMax(total, copied));
    }
    // commit() does not report a failed final flush (a full medium), so flush first.
    if (!target.flush()) {
        target.cancelWriting();
        return false;
    }
    return target.commit();
}

void FileCopier::WorkerDone()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    emit finished(m_result);
}

} // namespace nerav
