#pragma once

// The player's file-name rule and the name conversions of ScheduleRules.h, for the texts of the
// entry editor and the main window's drops: a base name of at most 16 and an extension of at most 4
// characters from A-Z, a-z, 0-9, ".", "_" and "-", decided by character code alone.

#include "InterfaceText.h"
#include "ScheduleDocument.h"

#include <QString>
#include <QStringList>

namespace nerav {

// The extensions of the media files the player plays, lower-case and without the dot. The
// entry editor's Browse filter offers these and a file dropped onto a list must have one.
const QStringList &MediaExtensions();

// The patterns of the Browse filter over MediaExtensions(): "*.jpg *.avi ...".
QString MediaNamePatterns();

// Whether name ends with "." and one of MediaExtensions(), in any case.
bool HasMediaExtension(const QString &name);

// The text with leading and trailing spaces (only spaces) removed.
QString TrimSpaces(const QString &text);

// The acceptance rule applied to the text of the file-name field.
bool FileNameAccepted(const QString &text);

// Why the rule refuses text, in the current language; empty when it accepts it.
QString FileNameProblemText(const QString &text, const MessageTable &messages);

// Stores an accepted text into fileName and fileExt: trimmed, upper-cased, zero-filled.
// Returns false, leaving the entry as it was, for a text the rule refuses.
[[nodiscard]] bool EncodeFileName(const QString &text, ScheduleEntry &entry);

// The name of an entry as text: the base bytes, ".", the extension bytes, each up to its first
// zero byte. Bytes 128-255 (never written by this program) are shown as Latin-1 characters.
QString DecodeFileName(const ScheduleEntry &entry);

// True when the stored name holds a byte that no accepted text can produce (128-255).
bool HasForeignNameBytes(const ScheduleEntry &entry);

} // namespace nerav
