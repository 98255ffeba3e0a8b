#pragma once

#include "InterfaceText.h"

#include <QLocale>

namespace nerav {

// A size for the publish dialog, its medium list and its problem texts. Qt words sizes under 1 KiB through its own translations,
// which may be missing ("0 bytes" in Japanese text); the text table words those.
inline QString SizeText(qint64 bytes, const PublishTable &texts)
{
    if (bytes < 0)
        return QString();
    if (bytes < 1024)
        return texts.sizeBytes.arg(bytes);
    return QLocale().formattedDataSize(bytes);
}

} // namespace nerav
