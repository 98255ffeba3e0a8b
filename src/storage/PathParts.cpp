#include "PathParts.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace nerav {

QString FileNamePart(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString DirectoryPart(const QString &path)
{
    return path.chopped(FileNamePart(path).size());
}

QString FolderPath(const QString &path)
{
    // QFileInfo gives an empty path for an empty one.
    return path.isEmpty() ? QStringLiteral(".") : QFileInfo(path).path();
}

NativeArguments DecodeArguments(int argc, const char *const *argv)
{
    NativeArguments result;
    for (int n = 0; n < argc; ++n) {
        const QByteArray given(argv[n]);
        const QString name = QFile::decodeName(given);
        if (result.refused.isEmpty() && QFile::encodeName(name) != given)
            result.refused = given;
        result.arguments.append(name);
    }
    return result;
}

QString PrintableName(const QByteArray &name)
{
    QString text;
    for (qsizetype at = 0; at < name.size();) {
        // The longest piece from here that is valid UTF-8, else one byte escaped.
        qsizetype length = std::min<qsizetype>(4, name.size() - at);
        for (; length > 0; --length) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString piece = decoder(name.mid(at, length));
            if (!decoder.hasError() && piece.toUtf8() == name.mid(at, length)) {
                text += piece;
                break;
            }
        }
        if (length == 0) {
            text += QStringLiteral("\\x%1").arg(uchar(name.at(at)), 2, 16, QLatin1Char('0'));
            length = 1;
        }
        at += length;
    }
    return text;
}

} // namespace nerav
