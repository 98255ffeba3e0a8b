#pragma once

// The calls that prove written data reached the medium: a file's own sync and its folder's.
// Tests can make them fail, as a failing medium does, without one.

#include <QString>

namespace nerav {

// 0 when the file's data is on the medium, else the system's error number.
int SyncFileData(int fd);

// 0 when the folder's entries (a new or renamed name in it) are on the medium, else the
// system's error number. A file system that cannot sync folders counts as success.
int SyncFolder(const QString &folderPath);

// 0 when every file of the file system that holds fd is on the medium, else the system's error
// number (a write-back error of any of its files since fd was opened counts). Fails as
// SyncFileData does under FailSyncForTests.
int SyncFileSystem(int fd);

enum class SyncStep { File, Folder };

// From now on the given step fails with the error number without syncing; 0 restores the
// real sync. For tests only.
void FailSyncForTests(SyncStep step, int error);

} // namespace nerav
