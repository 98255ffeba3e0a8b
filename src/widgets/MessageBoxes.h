#pragma once

// The program's message boxes: every one is titled with the message table's msgTitle and
// shows its text and buttons in the current language.

#include <QFont>
#include <QString>

class QWidget;

namespace nerav {

struct InterfaceText;

// A message with a single OK button.
void ShowMessage(QWidget *parent, const InterfaceText &text, const QString &message);

// A failure: the message, then on a second line the reason in the system's own words (for a
// file: its path and what is wrong with it).
void ShowFailure(QWidget *parent, const InterfaceText &text, const QString &message,
                 const QString &reason);

// Yes and No; true for Yes.
bool AskYesNo(QWidget *parent, const InterfaceText &text, const QString &question);

// OK and Cancel; true for OK.
bool AskOkCancel(QWidget *parent, const InterfaceText &text, const QString &question);

enum class SaveAnswer { Save, Discard, Cancel };

// Save, Don't Save and Cancel; Escape and the close box mean Cancel.
SaveAnswer AskSaveChanges(QWidget *parent, const InterfaceText &text, const QString &question);

// The fixed-pitch font of the lists, one that shows Japanese: IPAGothic when installed,
// otherwise the system's fixed font.
QFont ListFont();

// The width of so many character cells of a fixed-pitch font: as wide as that many spaces,
// found without laying a row of them out.
int CellsWidth(const QFont &font, int cells);

} // namespace nerav
