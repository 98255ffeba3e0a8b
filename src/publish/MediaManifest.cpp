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

namespace {

QDateTime TimeField(const QByteArray &field)
{
    return QDateTime::fromString(QString::fromLatin1(field), Qt::ISODateWithMs);
}

QByteArray TimeText(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODateWithMs).toLatin1();
}

// One line: "SIZE TIME HASH NAME" (older lists) or "+ SIZE TIME HASH MEDIUM-SIZE MEDIUM-TIME
// NAME"; the name is the rest of the line. False for a line that cannot be read.
bool ParseLine(const QByteArray &line, ManifestEntry &entry)
{
    const bool recorded = line.startsWith("+ ");
    const int count = recorded ? 6 : 3;
    QList<QByteArray> fields;
    qsizetype at = 0;
    while (fields.size() < count) {
        const qsizetype space = line.indexOf(' ', at);
        if (space < 0)
            return false;
        fields.append(line.mid(at, space - at));
        at = space + 1;
    }
    if (recorded)
        fields.removeFirst();
    bool sizeOk = false;
    entry.size = fields[0].toLongLong(&sizeOk);
    entry.modified = TimeField(fields[1]);
    entry.hash = QByteArray::fromHex(fields[2]);
    entry.name = QString::fromUtf8(line.mid(at));
    bool mediumOk = !recorded;
    if (recorded) {
        entry.mediumSize = fields[3].toLongLong(&mediumOk);
        entry.mediumModified = TimeField(fields[4]);
        mediumOk = mediumOk && entry.mediumSize >= 0 && entry.mediumModified.isValid();
    }
    return sizeOk && mediumOk && entry.size >= 0 && entry.modified.isValid() &&
            entry.hash.size() == 32 && !entry.name.isEmpty();
}

} // namespace

MediaManifest MediaManifest::FromText(const QByteArray &text)
{
    MediaManifest manifest;
    for (const QByteArray &line : text.split('\n')) {
        if (manifest.m_entries.size() >= MostManifestEntries)
            break;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        ManifestEntry entry;
        if (ParseLine(line, entry))
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
    QByteArray text = "# The media files as published: \"+\", the original's size and modification "
                      "time (UTC), SHA-256 of the content, the copy's size and modification time "
                      "as the medium reported them, name.\n";
    for (const ManifestEntry &entry : m_entries) {
        const QByteArray original = QByteArray::number(entry.size) + ' ' +
                TimeText(entry.modified) + ' ' + entry.hash.toHex() + ' ';
        if (entry.mediumSize >= 0)
            text += "+ " + original + QByteArray::number(entry.mediumSize) + ' ' +
                    TimeText(entry.mediumModified) + ' ' + entry.name.toUtf8() + '\n';
        else
            text += original + entry.name.toUtf8() + '\n';
    }
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
