#include "MediaManifest.h"

#include "FileCopier.h"
#include "ScheduleDocument.h"

#include <QFile>
#include <QList>
#include <algorithm>
#include <unistd.h>

namespace nerav {

namespace {

constexpr qint64 LongestManifest = 16 * 1024 * 1024;

// No schedule names more files than its lists hold, each entry a file of its own: 250 basic
// entries and 250 advance schedules of 100 each make 25,250. Lines past that many are left out
// (their files are read or copied again), so an edited manifest cannot stall a check.
constexpr std::size_t MostManifestEntries =
        std::size_t(MaxBasicEntries) + std::size_t(MaxAdvanceSchedules) * MaxDetailsPerSchedule;

bool ByName(const ManifestEntry &entry, const QString &name)
{
    return entry.name < name;
}

} // namespace

MediaManifest MediaManifest::Read(const QString &folder)
{
    QString reason;
    const int fd = OpenRegularFile(folder + QLatin1Char('/') + QLatin1String(FileName), reason);
    if (fd < 0)
        return {};
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    return FromText(file.read(LongestManifest));
}

MediaManifest MediaManifest::FromText(const QByteArray &text)
{
    MediaManifest manifest;
    for (const QByteArray &line : text.split('\n')) {
        if (manifest.m_entries.size() >= MostManifestEntries)
            break;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        // size, time, hash and the name, which is the rest of the line.
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 4)
            continue;
        ManifestEntry entry;
        bool sizeOk = false;
        entry.size = fields[0].toLongLong(&sizeOk);
        entry.modified = QDateTime::fromString(QString::fromLatin1(fields[1]), Qt::ISODateWithMs);
        entry.hash = QByteArray::fromHex(fields[2]);
        entry.name = QString::fromUtf8(
                line.mid(fields[0].size() + fields[1].size() + fields[2].size() + 3));
        if (sizeOk && entry.size >= 0 && entry.modified.isValid() && entry.hash.size() == 32 &&
            !entry.name.isEmpty())
            manifest.m_entries.push_back(entry);
    }
    // Sorted once; of lines with the same name the last one counts, as when each was set.
    std::vector<ManifestEntry> &entries = manifest.m_entries;
    std::stable_sort(
            entries.begin(), entries.end(),
            [](const ManifestEntry &a, const ManifestEntry &b) { return a.name < b.name; });
    const auto last = std::unique(
            entries.rbegin(), entries.rend(),
            [](const ManifestEntry &a, const ManifestEntry &b) { return a.name == b.name; });
    entries.erase(entries.begin(), last.base());
    return manifest;
}

QByteArray MediaManifest::toText() const
{
    QByteArray text = "# The media files as published: size, modification time (UTC), "
                      "SHA-256 of the content, name.\n";
    for (const ManifestEntry &entry : m_entries)
        text += QByteArray::number(entry.size) + ' ' +
                entry.modified.toUTC().toString(Qt::ISODateWithMs).toLatin1() + ' ' +
                entry.hash.toHex() + ' ' + entry.name.toUtf8() + '\n';
    return text;
}

DurableWriteResult MediaManifest::write(const QString &folder) const
{
    return WriteFileDurably(folder + QLatin1Char('/') + QLatin1String(FileName), toText(),
                            DurableFile::Links::StayInFolder);
}

// The entries stay sorted by name, so each look-up is a binary search.
const ManifestEntry *MediaManifest::find(const QString &name) const
{
    const auto found = std::lower_bound(m_entries.begin(), m_entries.end(), name, ByName);
    return found == m_entries.end() || found->name != name ? nullptr : &*found;
}

void MediaManifest::set(const ManifestEntry &entry)
{
    const auto at = std::lower_bound(m_entries.begin(), m_entries.end(), entry.name, ByName);
    if (at != m_entries.end() && at->name == entry.name)
        *at = entry;
    else
        m_entries.insert(at, entry);
}

void MediaManifest::remove(const QString &name)
{
    const auto at = std::lower_bound(m_entries.begin(), m_entries.end(), name, ByName);
    if (at != m_entries.end() && at->name == name)
        m_entries.erase(at);
}

} // namespace nerav
