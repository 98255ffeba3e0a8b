#include "Startup.h"

#include "CommandLine.h"
#include "DocumentCommands.h"
#include "FileHandOver.h"
#include "LanguageSwitch.h"
#include "MainForm.h"
#include "MessageBoxes.h"
#include "PathParts.h"
#include "QtPlatform.h"
#include "RememberedSettings.h"
#include "ScheduleSession.h"
#include "SystemModule.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QSettings>
#include <QTranslator>
#include <cstdio>

namespace nerav {

// The one message box titled with the program's name instead of "Message".
static void ShowAlreadyRunning(const InterfaceText &text)
{
    QMessageBox box(QMessageBox::NoIcon, text.captions.programTitle, text.messages.msgRunning,
                    QMessageBox::Ok);
    box.exec();
}

static QString LockProblemText(const MessageTable &messages, LockProblem problem,
                               const QString &path)
{
    const QString &reason = problem == LockProblem::FolderNotPrivate
            ? messages.msgLockFolderNotPrivate
            : problem == LockProblem::NotRegularFile ? messages.msgLockNotRegularFile
                                                     : messages.msgLockCannotOpen;
    return messages.msgLockUnusable.arg(QDir::toNativeSeparators(path)) + u'\n' + reason;
}

bool LoadQtTranslations(Language language)
{
    QCoreApplication *application = QCoreApplication::instance();
    // One translator for Qt's texts, replaced when the language changes.
    const QString name = QStringLiteral("qtbase-translator");
    delete application->findChild<QTranslator *>(name, Qt::FindDirectChildrenOnly);
    if (language != Japanese)
        return true;
    auto *translator = new QTranslator(application);
    translator->setObjectName(name);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

std::unique_ptr<MainForm> StartApplication(AppContext &context, InstanceGuard &guard,
                                           const QString &appFolder, const StartOptions &options)
{
    InitDefaults(context.settings, appFolder);
    LoadInterfaceText(context.text, options.language);
    // Without them Qt's own dialogs and buttons stay English; the program works the same.
    if (!LoadQtTranslations(options.language))
        qInfo("Qt's Japanese translations (qtbase_ja.qm) are not installed");

    if (!guard.tryBecomeOnlyInstance()) {
        if (options.file.isEmpty() || options.handOverSocket.isEmpty() ||
            !HandFileToRunningInstance(options.handOverSocket, options.file))
            ShowAlreadyRunning(context.text);
        return nullptr;
    }
    // Without a lock a listening socket could take another window's place: none is made.
    const LockProblem lockProblem = guard.lockProblem();
    if (lockProblem != LockProblem::None)
        ShowMessage(nullptr, LockProblemText(context.text.messages, lockProblem, guard.lockPath()));
    // The writer's random source was seeded from the clock when the platform was made.

    if (LoadRememberedSettings(context.settings) == SettingsLoad::Damaged)
        ShowMessage(nullptr, context.text.messages.msgSystemInfoError);

    auto form = std::make_unique<MainForm>(context);
    form->InitMainFormOsd();
    // A file that cannot be read has been reported; the start goes on as without it.
    if (options.file.isEmpty() ||
        !form->documentCommands().openScheduleFile(DirectoryPart(options.file),
                                                   FileNamePart(options.file)))
        ReopenLastDocument(*form, context);
    QObject::connect(form.get(), &MainForm::languageChosen, form.get(),
                     [&context, settings = options.userSettings](Language language) {
                         SwitchLanguage(context, language);
                         if (settings)
                             RememberLanguage(*settings, language);
                     });
    if (!options.handOverSocket.isEmpty() && lockProblem == LockProblem::None) {
        auto *server = new FileHandOverServer(options.handOverSocket, form.get());
        QObject::connect(server, &FileHandOverServer::fileReceived, form.get(),
                         &MainForm::OpenHandedFile);
        // Without the socket a second start shows the running message instead.
        if (!server->listen())
            qInfo("no hand-over socket at %s", qPrintable(options.handOverSocket));
    }
    form->show();
    return form;
}

void ReopenLastDocument(MainForm &form, AppContext &context)
{
    RememberedSettings &settings = context.settings;
    if (FileExistsInDir(settings.documentFolder, settings.documentName)) {
        if (form.session().open(settings.documentFolder, settings.documentName)) {
            settings.openFolder = settings.documentFolder;
            return;
        }
        ShowMessage(&form, context.text.messages.msgScheduleReadError);
    }
    form.session().newDocument();
}

int RunApplication(QApplication &application, AppContext &context, InstanceGuard &guard,
                   const QString &appFolder, const StartOptions &options)
{
    std::unique_ptr<MainForm> form = StartApplication(context, guard, appFolder, options);
    if (!form)
        return 0;
    return application.exec();
}

int RunProgram(QApplication &application, const QString &lockFilePath, const QStringList &arguments)
{
    // The name also names the per-user settings folder (~/.local/share/nerav-schedule-generator).
    const QString programName = QStringLiteral("nerav-schedule-generator");
    QApplication::setApplicationName(programName);
    QApplication::setApplicationVersion(QStringLiteral(NERAV_VERSION));
    QGuiApplication::setDesktopFileName(programName);

    const CommandLine commandLine =
            arguments.isEmpty() ? CommandLine() : ParseCommandLine(arguments);
    if (!commandLine.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(commandLine.error));
        return 2;
    }
    if (!commandLine.answer.isEmpty()) {
        std::fputs(qPrintable(commandLine.answer), stdout);
        return 0;
    }
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/nerav-schedule-generator-128.png")));

    // ~/.config/nerav-schedule-generator/nerav-schedule-generator.conf
    QSettings userSettings(QSettings::IniFormat, QSettings::UserScope, programName, programName);
    StartOptions options;
    options.file = commandLine.file;
    options.language = commandLine.language.value_or(RememberedLanguage(userSettings));
    options.handOverSocket = HandOverSocketPath(lockFilePath);
    options.userSettings = &userSettings;

    QtPlatform services;
    AppContext context(services.platform());
    LockFileInstanceGuard guard(lockFilePath);
    return RunApplication(application, context, guard, DefaultAppFolder(), options);
}

} // namespace nerav
