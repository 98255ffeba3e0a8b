// The media reader module's one entry point: the table of what it can do.

#include "FfmpegProbe.h"
#include "MediaReaderApi.h"

#include <QtGlobal>

namespace {

const nerav::MediaReaderApi readerApi {nerav::MediaReaderVersion, nerav::ReadMediaFacts,
                                       nerav::MakeThumbnail};

} // namespace

extern "C" Q_DECL_EXPORT const nerav::MediaReaderApi *nerav_media_reader()
{
    return &readerApi;
}
