#pragma once

// What the system can do to move a file's bytes faster and onto the medium sooner than plain
// reads and writes. Where it cannot, each call says so or does nothing, and the caller copies
// and syncs the plain way.

#include <QtGlobal>

namespace nerav {

enum class KernelCopyResult { Copied, EndOfSource, Unsupported, Failed };

// Copies up to maxBytes from the current position of sourceFd to that of targetFd without
// passing them through this process, and advances both positions. Unsupported (nothing was
// copied) when the system cannot copy between these two files, for example across volumes.
KernelCopyResult KernelCopy(int sourceFd, int targetFd, qint64 maxBytes, qint64 *copied);

// Starts writing a range of the file to its medium now, instead of when the system gets to it.
void StartWriteBack(int fd, qint64 offset, qint64 length);

// Waits until a range started with StartWriteBack has reached the medium. False when the
// medium reported an error for it; the file must then be taken as not written.
bool WaitForWriteBack(int fd, qint64 offset, qint64 length);

// Writes the file's data to its medium and drops it from the page cache, so that the next read
// comes from the medium itself. False when the sync failed.
bool FlushAndDropCache(int fd);

// Tells the system the whole file will be read once from start to end.
void AdviseSequentialRead(int fd);

// Starts reading a range of the file from its medium now, so that it is at hand when asked for
// while this process is busy with what it read before.
void ReadAhead(int fd, qint64 offset, qint64 length);

} // namespace nerav
