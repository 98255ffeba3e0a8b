#pragma once

// Remembers what probing found, keyed on a file's path, size and modification time, in one JSON
// file in a per-user cache folder that the caller names. A file that changed is probed again.

#include "MediaFacts.h"

#include <QHash>
#include <QJsonObject>
#include <QString>

namespace nerav {

class MediaCache
{
public:
    static constexpr char FileName[] = "media-facts.json";

    // Reads the folder's cache file, if there is a readable one.
    explicit MediaCache(const QString &folder);

    // The facts of path: the remembered ones while its size and time are unchanged, otherwise
    // those of a new probe.
    ProbeResult probe(const QString &path, int timeLimitMs = 5000);

    // Writes the cache file durably when something was added; the reason when that failed.
    QString save();

    int probesRun() const { return m_probes; }

private:
    QString m_folder;
    QJsonObject m_entries; // by absolute path
    bool m_changed = false;
    int m_probes = 0;
};

} // namespace nerav
