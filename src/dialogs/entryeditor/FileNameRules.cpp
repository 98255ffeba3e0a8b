#include "FileNameRules.h"

#include "MessageBoxes.h"
#include "ScheduleRules.h"

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

bool CheckFileName(QWidget *parent, const QString &text, const QString &errorMessage)
{
    if (FileNameAccepted(text))
        return true;
    ShowMessage(parent, errorMessage);
    return false;
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
