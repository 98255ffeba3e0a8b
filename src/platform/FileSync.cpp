#include "FileSync.h"

#include <QFile>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace nerav {

namespace {

std::atomic<int> injectedFileError {0};
std::atomic<int> injectedFolderError {0};

// Calls a sync again while a signal interrupts it; 0 or the system's error.
template<typename Sync>
int Retried(Sync sync)
{
    int result;
    do {
        result = sync();
    } while (result < 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

} // namespace

int SyncFileData(int fd)
{
    if (const int injected = injectedFileError.load())
        return injected;
    return Retried([fd] { return ::fdatasync(fd); });
}

int SyncFileSystem(int fd)
{
    if (const int injected = injectedFileError.load())
        return injected;
    return Retried([fd] { return ::syncfs(fd); });
}

int SyncFolder(const QString &folderPath)
{
    if (const int injected = injectedFolderError.load())
        return injected;
    const int fd =
            ::open(QFile::encodeName(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = Retried([fd] { return ::fsync(fd); });
    ::close(fd);
    // Some file systems cannot sync a folder at all; that is no sign of a failing medium.
    return error == EINVAL || error == ENOTSUP || error == ENOSYS ? 0 : error;
}

void FailSyncForTests(SyncStep step, int error)
{
    (step == SyncStep::File ? injectedFileError : injectedFolderError).store(error);
}

} // namespace nerav
