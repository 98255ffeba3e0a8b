#include "DurableFile.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace nerav {

DurableWriteResult WriteFileDurably(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString())};
    // QSaveFile::commit() does not report whether its sync succeeded, so the sync is done here.
    QString error;
    if (file.write(bytes) != bytes.size() || !file.flush())
        error = file.errorString();
    else if (::fsync(file.handle()) != 0)
        error = QString::fromLocal8Bit(std::strerror(errno));
    if (!error.isEmpty()) {
        file.cancelWriting();
        return {false, QStringLiteral("Cannot write %1: %2").arg(path, error)};
    }
    if (!file.commit())
        return {false, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString())};
    return {true, QString()};
}

} // namespace nerav
