#pragma once

// Writes a new version of a file so that it either reaches the medium or is reported as failed.
// The bytes go to a temporary file beside the target (the target's name, ".nerav-tmp-" and six
// random characters); commit() syncs it and checks that the sync succeeded, puts it in place of
// the target and syncs the folder. Until then an existing target stays as it was, and a failed or
// cancelled write removes its temporary file. A successful commit also removes temporary files of
// the same target left behind by a killed run.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <sys/types.h>

namespace nerav {

// What a file that is not a regular one is, for messages: "a link", "a folder", "a FIFO"...
QString FileKindText(mode_t mode);

struct DurableWriteResult
{
    bool ok = false;
    QString reason; // a sentence naming the path and the system's error; empty on success

    explicit operator bool() const { return ok; }
};

class DurableFile
{
public:
    static constexpr char TemporaryInfix[] = ".nerav-tmp-";

    // Follow: a symbolic link at the target is written through to the file it points to, as
    // Save does. StayInFolder: nothing is followed; a link at the target is refused like a
    // folder, so a write never leaves the folder (for a medium someone else prepared).
    enum class Links { Follow, StayInFolder };

    explicit DurableFile(const QString &targetPath, Links links = Links::Follow);
    ~DurableFile(); // cancels an open, uncommitted write
    DurableFile(const DurableFile &) = delete;
    DurableFile &operator=(const DurableFile &) = delete;

    // Refuses a target that exists and is no regular file (a folder, device node or FIFO), then
    // creates the temporary file with the permission bits (and, for root, the owner) of an
    // existing target.
    DurableWriteResult open();
    // The temporary file's descriptor while open, for writing to it directly; -1 otherwise.
    int handle() const { return m_fd; }
    DurableWriteResult write(const char *data, qint64 size);
    // Syncs, checks the sync, renames over the target and syncs the folder. On a failure before
    // the rename the temporary file is removed and the old target is untouched; a failed folder
    // sync is reported although the new file is in place.
    DurableWriteResult commit();
    // For a caller that has itself synced this file's data (with its whole file system, together
    // with other files) and checked that sync: renames over the target without syncing again
    // and leaves the folder's sync to the caller, once for all its files.
    DurableWriteResult commitAfterSync();
    // Closes and removes the temporary file; the target is untouched.
    void cancel();
    // The modification time the file gets once it is closed, before it is put in place: some
    // media take a time set while the file is open as the time of the last write.
    void setModificationTime(const QDateTime &time) { m_modified = time; }

    QString temporaryPath() const { return m_temporary; }

    // A failure of this write with the system's text for the error number.
    DurableWriteResult failure(const QString &what, int error) const;

private:
    void removeLeftOvers() const;
    DurableWriteResult closeAndRename();

    QString m_target;
    QString m_temporary;
    Links m_links = Links::Follow;
    int m_fd = -1;
    QDateTime m_modified;
};

// Sets a file's modification time (and its access time to the same) without following a
// link; 0 or the system's error.
int SetModificationTime(const QString &path, const QDateTime &time);

// Opens, writes all bytes and commits.
DurableWriteResult WriteFileDurably(const QString &path, const QByteArray &bytes,
                                    DurableFile::Links links = DurableFile::Links::Follow);

// The system's text for an error number, never empty.
QString SystemErrorText(int error);

} // namespace nerav
