#include "MediaCache.h"

#include "DurableFile.h"
#include "MediaProbe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

namespace nerav {

namespace {

// A cache file larger than this is dropped rather than read.
constexpr qint64 LargestCache = 32 * 1024 * 1024;

} // namespace

MediaCache::MediaCache(const QString &folder) : m_folder(folder)
{
    QFile file(QDir(folder).filePath(QString::fromLatin1(FileName)));
    if (QFileInfo(file).isFile() && QFileInfo(file).size() <= LargestCache &&
        file.open(QIODevice::ReadOnly))
        m_entries = QJsonDocument::fromJson(file.readAll()).object();
}

ProbeResult MediaCache::probe(const QString &path, int timeLimitMs)
{
    const QFileInfo info(path);
    const QString key = info.absoluteFilePath();
    const qint64 size = info.size();
    const qint64 modified = info.lastModified().toMSecsSinceEpoch();
    const QJsonObject known = m_entries.value(key).toObject();
    if (info.isFile() && known.value(QStringLiteral("size")).toInteger(-1) == size &&
        known.value(QStringLiteral("modified")).toInteger(-1) == modified)
        return ProbeResultFromJson(known);
    ++m_probes;
    const ProbeResult result = ProbeMedia(path, timeLimitMs);
    // A file that is not there, or not a regular file, is asked about again next time.
    if (!info.isFile())
        return result;
    QJsonObject entry = ProbeResultToJson(result);
    entry[QStringLiteral("size")] = size;
    entry[QStringLiteral("modified")] = modified;
    m_entries[key] = entry;
    m_changed = true;
    return result;
}

QString MediaCache::save()
{
    if (!m_changed)
        return QString();
    if (!QDir().mkpath(m_folder))
        return QStringLiteral("Cannot make the cache folder %1").arg(m_folder);
    const DurableWriteResult written =
            WriteFileDurably(QDir(m_folder).filePath(QString::fromLatin1(FileName)),
                             QJsonDocument(m_entries).toJson(QJsonDocument::Compact));
    if (written)
        m_changed = false;
    return written.reason;
}

} // namespace nerav
