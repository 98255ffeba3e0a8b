#include "MediaProbe.h"

#include "MediaReaderApi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace nerav {

namespace {

struct LoadedReader
{
    const MediaReaderApi *api = nullptr;
    QString reason;
};

// The folder of the running program: QCoreApplication's when there is one.
QString ProgramFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}

LoadedReader LoadReader()
{
    const QString folder = ProgramFolder();
    const QString relative = QStringLiteral("%1/%2").arg(QLatin1String(MediaReaderFolder),
                                                         QLatin1String(MediaReaderFileName));
    // Installed: bin/../lib/...; in the build folder, beside the programs or one level up
    // from the tests.
    const QStringList candidates {QDir::cleanPath(folder + QStringLiteral("/../") + relative),
                                  QDir::cleanPath(folder + QLatin1Char('/') + relative)};
    LoadedReader loaded;
    for (const QString &path : candidates) {
        if (!QFileInfo(path).isFile())
            continue;
        // Kept for the whole run: the module is never unloaded.
        auto *library = new QLibrary(path);
        using Entry = const MediaReaderApi *(*)();
        const auto entry = reinterpret_cast<Entry>(library->resolve("nerav_media_reader"));
        const MediaReaderApi *api = entry ? entry() : nullptr;
        if (api && api->version == MediaReaderVersion) {
            loaded.api = api;
            return loaded;
        }
        loaded.reason = entry ? QStringLiteral("%1 is of another version").arg(path)
                              : library->errorString();
        return loaded;
    }
    loaded.reason =
            QStringLiteral("media support is not installed (%1 not found)").arg(candidates.first());
    return loaded;
}

const LoadedReader &Reader()
{
    static const LoadedReader reader = LoadReader();
    return reader;
}

} // namespace

ProbeResult ProbeMedia(const QString &path, int timeLimitMs)
{
    const LoadedReader &reader = Reader();
    if (reader.api)
        return reader.api->probe(path, timeLimitMs);
    ProbeResult result;
    result.reason = reader.reason;
    return result;
}

} // namespace nerav
