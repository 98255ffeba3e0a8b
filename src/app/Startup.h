#pragma once

// Start-up and shutdown of the program: defaults, language, text tables, the single-instance
// check, the remembered settings, the main window with the last schedule, then the event loop.
// Closing the main window (Exit or its close box) stores the remembered settings; hiding it
// stores its geometry, which the next start restores.

#include "AppContext.h"

#include <QString>
#include <QStringList>
#include <memory>

class QApplication;

namespace nerav {

class MainForm;

// Qt's own texts (file dialogs, standard buttons, context menus) in the given language: loads
// qtbase_ja from Qt's translations folder for Japanese, drops it for English. False when the
// translations are not installed.
[[nodiscard]] bool LoadQtTranslations(Language language);

// What one start is asked to do beyond the defaults.
struct StartOptions
{
    // An absolute path to open instead of the last schedule; empty for none.
    QString file;
    Language language = Japanese;
    // The hand-over socket beside the instance lock; empty for none.
    QString handOverSocket;
};

// Runs start-up up to the shown main window. The per-user values come from the store the
// caller opened on context.settings (none: they last for this run only). Returns no window when
// another instance is already running: the file was handed to it, or else the running message has
// been shown; no setting or file was touched.
std::unique_ptr<MainForm> StartApplication(AppContext &context, InstanceGuard &guard,
                                           const QString &appFolder,
                                           const StartOptions &options = {});

// Loads the remembered schedule file into the window, or starts a new document when it is
// missing or damaged (a damaged one is reported first).
void ReopenLastDocument(MainForm &form, AppContext &context);

// StartApplication, then the event loop until the main window closes; the exit code.
int RunApplication(QApplication &application, AppContext &context, InstanceGuard &guard,
                   const QString &appFolder, const StartOptions &options = {});

// The program as its executable runs it: its name and icon, the command line (arguments, the
// program's name first; none given reads none), the Qt services, the lock file at lockFilePath
// with the hand-over socket beside it, the per-user settings store, and the application folder
// beside the executable (or the user's data folder).
int RunProgram(QApplication &application, const QString &lockFilePath,
               const QStringList &arguments = {});

} // namespace nerav
