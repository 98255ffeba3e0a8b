#include "MediaManifest.h"

#include "FileCopier.h"

#include <QFile>
#include <QList>
#include <algorithm>
#include <unistd.h>

namespace nerav {

namespace {

constexpr qint64 LongestManifest = 16 * 1024 * 1024;

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
            manifest.set(entry);
    }
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

const ManifestEntry *MediaManifest::find(const QString &name) const
{
    const auto found =
            std::find_if(m_entries.begin(), m_entries.end(),
                         [&name](const ManifestEntry &entry) { return entry.name == name; });
    return found == m_entries.end() ? nullptr : &*found;
}

void MediaManifest::set(const ManifestEntry &entry)
{
    remove(entry.name);
    const auto at = std::lower_bound(
            m_entries.begin(), m_entries.end(), entry.name,
            [](const ManifestEntry &e, const QString &name) { return e.name < name; });
    m_entries.insert(at, entry);
}

void MediaManifest::remove(const QString &name)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&name](const ManifestEntry &e) { return e.name == name; }),
                    m_entries.end());
}

} // namespace nerav
