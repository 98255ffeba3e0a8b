#include "MediaProbe.h"
#include "MediaThumbnail.h"

#include "MediaReaderApi.h"
#include "ProgramModule.h"

namespace nerav {

namespace {

struct LoadedReader
{
    const MediaReaderApi *api = nullptr;
    QString reason;
};

const LoadedReader &Reader()
{
    static const LoadedReader reader = [] {
        LoadedReader loaded;
        const ProgramModule module =
                LoadProgramModule(QLatin1String(MediaReaderFileName), "nerav_media_reader");
        using Entry = const MediaReaderApi *(*)();
        const MediaReaderApi *api =
                module.entry ? reinterpret_cast<Entry>(module.entry)() : nullptr;
        if (api && api->version == MediaReaderVersion)
            loaded.api = api;
        else
            loaded.reason = module.entry
                    ? QStringLiteral("the media reader is of another version")
                    : QStringLiteral("media support is missing: %1").arg(module.reason);
        return loaded;
    }();
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

ThumbnailResult MediaThumbnail(const QString &path, const QSize &bound, int timeLimitMs)
{
    const LoadedReader &reader = Reader();
    if (reader.api)
        return reader.api->thumbnail(path, bound, timeLimitMs);
    ThumbnailResult result;
    result.reason = reader.reason;
    return result;
}

} // namespace nerav
