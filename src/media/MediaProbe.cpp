#include "MediaProbe.h"
#include "MediaThumbnail.h"

#include "MediaReaderApi.h"
#include "ProgramModule.h"

namespace nerav {

namespace {

using LoadedReader = ProgramApi<MediaReaderApi>;

const LoadedReader &Reader()
{
    static const LoadedReader reader = [] {
        LoadedReader loaded = LoadProgramApi<MediaReaderApi>(
                QLatin1String(MediaReaderFileName), "nerav_media_reader", MediaReaderVersion);
        if (!loaded.api)
            loaded.reason = QStringLiteral("media support is missing: %1").arg(loaded.reason);
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
