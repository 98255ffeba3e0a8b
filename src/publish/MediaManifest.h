#pragma once

// The list of media files a publish put on the medium, kept beside the schedule in a small text
// file a person can read: for each file its original's size and modification time, its content
// hash, and the copy's size and modification time as the medium itself reported them once the
// copy was written and synced. A copy counts as the one published only when all of it still
// agrees, so a copy changed or damaged on the medium is found and copied again. Lines of older
// lists, without the medium's record, are still read.

#include "DurableFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

namespace nerav {

struct ManifestEntry
{
    QString name;
    qint64 size = 0; // of the original
    QDateTime modified; // of the original
    QByteArray hash;
    // The copy as the medium reported it after the publish; -1 in a line of an older list.
    qint64 mediumSize = -1;
    QDateTime mediumModified;
};

class MediaManifest
{
public:
    static constexpr char FileName[] = "NERAV.SUM";

    // The manifest in the folder; empty when there is none or it is no regular file. Lines that
    // cannot be read are left out: their files are then copied again. At most as many entries are
    // read as a schedule can name.
    static MediaManifest Read(const QString &folder);
    static MediaManifest FromText(const QByteArray &text);
    QByteArray toText() const;

    // Written durably, never through a link.
    DurableWriteResult write(const QString &folder) const;

    const ManifestEntry *find(const QString &name) const; // the exact name
    void set(const ManifestEntry &entry);
    void remove(const QString &name);
    const std::vector<ManifestEntry> &entries() const { return m_entries; }

private:
    std::vector<ManifestEntry> m_entries;
};

} // namespace nerav
