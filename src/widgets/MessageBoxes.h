#pragma once

// The program's message boxes: every one is titled "Message" and shows a text of the message
// table in the current language.

#include <QFont>
#include <QString>

class QWidget;

namespace nerav {

// A message with a single OK button.
void ShowMessage(QWidget *parent, const QString &text);

// A failure: the message, then on a second line the reason in the system's own words (for a
// file: its path and what is wrong with it).
void ShowFailure(QWidget *parent, const QString &text, const QString &reason);

// Yes and No; true for Yes.
bool AskYesNo(QWidget *parent, const QString &text);

// OK and Cancel; true for OK.
bool AskOkCancel(QWidget *parent, const QString &text);

enum class SaveAnswer { Save, Discard, Cancel };

// Save, Discard and Cancel with the given button texts; Escape and the close box mean Cancel.
SaveAnswer AskSaveChanges(QWidget *parent, const QString &text, const QString &save,
                          const QString &discard, const QString &cancel);

// The fixed-pitch font of the lists, one that shows Japanese: IPAGothic when installed,
// otherwise the system's fixed font.
QFont ListFont();

} // namespace nerav
