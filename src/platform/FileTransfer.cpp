#include "FileTransfer.h"

#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace nerav {

#ifdef Q_OS_LINUX

KernelCopyResult KernelCopy(int sourceFd, int targetFd, qint64 maxBytes, qint64 *copied)
{
    *copied = 0;
    ssize_t result;
    do {
        result = ::copy_file_range(sourceFd, nullptr, targetFd, nullptr, size_t(maxBytes), 0);
    } while (result < 0 && errno == EINTR);
    if (result > 0) {
        *copied = result;
        return KernelCopyResult::Copied;
    }
    if (result == 0)
        return KernelCopyResult::EndOfSource;
    switch (errno) {
    case EXDEV: // two volumes, or two kinds of file system
    case ENOSYS:
    case EOPNOTSUPP:
    case EINVAL: // a file system or file kind that cannot take part
    case EBADF:
        return KernelCopyResult::Unsupported;
    default:
        return KernelCopyResult::Failed;
    }
}

void StartWriteBack(int fd, qint64 offset, qint64 length)
{
    // Only a hint: the data is made durable by the final sync in any case.
    ::sync_file_range(fd, offset, length, SYNC_FILE_RANGE_WRITE);
}

bool WaitForWriteBack(int fd, qint64 offset, qint64 length)
{
    const unsigned flags =
            SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
    int result;
    do {
        result = ::sync_file_range(fd, offset, length, flags);
    } while (result < 0 && errno == EINTR);
    // A write error seen here is not reported again by the final sync, so it counts now;
    // anything else means the file system does not take part, which is no failure.
    return result == 0 || (errno != EIO && errno != ENOSPC);
}

bool FlushAndDropCache(int fd)
{
    if (::fdatasync(fd) != 0)
        return false;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    return true;
}

void AdviseSequentialRead(int fd)
{
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
}

void ReadAhead(int fd, qint64 offset, qint64 length)
{
    ::posix_fadvise(fd, offset, length, POSIX_FADV_WILLNEED);
}

#else

KernelCopyResult KernelCopy(int, int, qint64, qint64 *copied)
{
    *copied = 0;
    return KernelCopyResult::Unsupported;
}

void StartWriteBack(int, qint64, qint64) { }

bool WaitForWriteBack(int, qint64, qint64)
{
    return true;
}

bool FlushAndDropCache(int)
{
    return true;
}

void AdviseSequentialRead(int) { }

void ReadAhead(int, qint64, qint64) { }

#endif

} // namespace nerav
