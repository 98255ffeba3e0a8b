#include "ScheduleFile.h"

#include "DurableFile.h"
#include "ScheduleCodec.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nerav {

namespace {

ScheduleFileResult Failure(const QString &reason)
{
    return {false, reason};
}

} // namespace

ScheduleFileResult WriteScheduleFile(const QString &path, const ScheduleDocument &document,
                                     RandomReal &random)
{
    const ScheduleEncodeResult encoded = EncodeSchedule(document, random);
    if (!encoded.ok)
        return Failure(QStringLiteral("Cannot save %1: %2")
                               .arg(path, QString::fromStdString(encoded.reason)));

    // Written completely under a temporary name, synced, then put in place of the old file.
    const DurableWriteResult written = WriteFileDurably(
            path,
            QByteArray::fromRawData(reinterpret_cast<const char *>(encoded.bytes.data()),
                                    static_cast<qsizetype>(encoded.bytes.size())));
    return {written.ok, written.reason};
}

ScheduleFileResult ReadScheduleFile(const QString &path, ScheduleDocument &document)
{
    // Opened without waiting, so a FIFO is refused at once instead of blocking for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Failure(QStringLiteral("Cannot open %1: %2").arg(path, SystemErrorText(errno)));
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Failure(QStringLiteral("Cannot open %1: it is not a regular file").arg(path));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Failure(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    }
    // Bytes after the last record are ignored, so a huge foreign file is read no further.
    const QByteArray bytes = file.read(static_cast<qint64>(MaxScheduleFileSize));
    if (file.error() != QFileDevice::NoError)
        return Failure(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    file.close();

    ScheduleDecodeResult decoded =
            DecodeSchedule(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                           static_cast<std::size_t>(bytes.size()));
    if (!decoded.ok)
        return Failure(QStringLiteral("%1 is not a readable schedule file: %2 (byte offset %3)")
                               .arg(path, QString::fromStdString(decoded.reason))
                               .arg(decoded.offset));
    document.ReplaceContentFrom(std::move(decoded.document));
    return {true, QString()};
}

} // namespace nerav
