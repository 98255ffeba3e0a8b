#include "ScheduleFile.h"

#include "ScheduleCodec.h"

#include <QFile>
#include <QSaveFile>

namespace nerav {

namespace {

ScheduleFileResult Failure(const QString &reason)
{
    return {false, reason};
}

} // namespace

ScheduleFileResult WriteScheduleFile(const QString &folder, const QString &name,
                                     const ScheduleDocument &document, RandomReal &random)
{
    const QString path = folder + name;
    const ScheduleEncodeResult encoded = EncodeSchedule(document, random);
    if (!encoded.ok)
        return Failure(QStringLiteral("Cannot save %1: %2")
                               .arg(path, QString::fromStdString(encoded.reason)));

    // Written completely under a temporary name, then put in place of the old file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    const auto size = static_cast<qint64>(encoded.bytes.size());
    // Flushed here: a commit in Qt 6.4 puts the file in place even when its own final flush
    // fails (disk full), which would leave a short file instead of the old one.
    if (file.write(reinterpret_cast<const char *>(encoded.bytes.data()), size) != size ||
        !file.flush()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return Failure(QStringLiteral("Cannot write %1: %2").arg(path, error));
    }
    if (!file.commit())
        return Failure(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return {true, QString()};
}

ScheduleFileResult ReadScheduleFile(const QString &folder, const QString &name,
                                    ScheduleDocument &document)
{
    const QString path = folder + name;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
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
