#include "FileNameRules.h"

#include "ScheduleRules.h"

#include <QList>

namespace nerav {

namespace {

// One byte per character, so positions and lengths match the text; characters beyond
// Latin-1 become "?", which the rule refuses like any other non-ASCII character.
std::string ToBytes(const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromBytes(const std::string &bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

template<std::size_t N>
bool HasHighByte(const std::array<std::uint8_t, N> &field)
{
    for (std::uint8_t byte : field) {
        if (byte == 0)
            return false;
        if (byte >= 128)
            return true;
    }
    return false;
}

} // namespace

const QStringList &MediaExtensions()
{
    static const QStringList extensions = {QStringLiteral("jpg"), QStringLiteral("avi"),
                                           QStringLiteral("mpg"), QStringLiteral("dat"),
                                           QStringLiteral("vob"), QStringLiteral("mp3")};
    return extensions;
}

QString MediaNamePatterns()
{
    QStringList patterns;
    for (const QString &extension : MediaExtensions())
        patterns.append(QStringLiteral("*.") + extension);
    return patterns.join(u' ');
}

bool HasMediaExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && MediaExtensions().contains(name.mid(dot + 1), Qt::CaseInsensitive);
}

QString TrimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

bool FileNameAccepted(const QString &text)
{
    return FileNameAccepted(ToBytes(text));
}

QString FileNameProblemText(const QString &text, const MessageTable &messages)
{
    const FileNameCheck check = CheckFileNameRule(ToBytes(text));
    switch (check.problem) {
    case FileNameProblem::None:
        break;
    case FileNameProblem::Empty:
        return messages.msgNameEmpty;
    case FileNameProblem::ForeignCharacter: {
        // One byte stood for one UTF-16 unit; a character beyond them takes two.
        const auto at = static_cast<qsizetype>(check.position);
        const qsizetype length = text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(at, length);
        // A space or a control character is named by its code, which can be seen.
        const char32_t code = character.toUcs4().value(0);
        if (QChar::isSpace(code) || !QChar::isPrint(code))
            return messages.msgNameForeignCharacter.arg(
                    QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper());
        return messages.msgNameForeignCharacter.arg(character);
    }
    case FileNameProblem::BaseTooLong:
        return messages.msgNameBaseTooLong.arg(MaxBaseNameLength);
    case FileNameProblem::ExtensionTooLong:
        return messages.msgNameExtensionTooLong.arg(MaxExtensionLength);
    }
    return QString();
}

bool EncodeFileName(const QString &text, ScheduleEntry &entry)
{
    return EncodeEntryName(ToBytes(text), entry);
}

QString DecodeFileName(const ScheduleEntry &entry)
{
    return FromBytes(DecodeEntryName(entry));
}

bool HasForeignNameBytes(const ScheduleEntry &entry)
{
    return HasHighByte(entry.fileName) || HasHighByte(entry.fileExt);
}

} // namespace nerav
