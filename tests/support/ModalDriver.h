#pragma once

// Drives modal windows (message boxes, file dialogs, the program's own dialogs) from a test:
// an action is scheduled before the code under test opens the window, and runs inside the
// window's own event loop once it is the active modal widget.

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;
class QFileDialog;

namespace nerav::test {

// Runs action on the next modal widget that becomes active (one that is not active now).
// Fails the current test (QTest) when none opens within timeoutMs.
void OnNextModal(std::function<void(QWidget *)> action, int timeoutMs = 5000);

// Answers the next message box with the button; its text goes to *text when given.
void AnswerNextMessageBox(QMessageBox::StandardButton button, QString *text = nullptr);

// Types path into the next file dialog and accepts it; an empty path cancels it.
void AnswerNextFileDialog(const QString &path, QString *directory = nullptr);

// The text of a message box, or an empty string when the widget is none.
QString MessageBoxText(QWidget *widget);

// Waits until no modal widget is active; false on time-out.
bool WaitForNoModal(int timeoutMs = 5000);

// Names of the top-level windows still visible (a test ends with none).
QStringList VisibleTopLevelWindows();

} // namespace nerav::test
