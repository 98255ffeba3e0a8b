#include "Startup.h"

#include "AfterFirstFrame.h"
#include "CommandLine.h"
#include "DocumentCommands.h"
#include "FileHandOver.h"
#include "LanguageSwitch.h"
#include "MainForm.h"
#include "MessageBoxes.h"
#include "PathParts.h"
#include "QtPlatform.h"
#include "ScheduleSession.h"
#include "Settings.h"
#include "SystemModule.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QTranslator>
#include <QWindow>
#include <cstdio>

namespace nerav {

// The one message box titled with the program's name instead of "Message". Its text is short:
// the box is made wide enough for the title (in bold, as title bars often show it) and the
// title bar's icon and buttons.
static void ShowAlreadyRunning(const InterfaceText &text)
{
    QMessageBox box(QMessageBox::NoIcon, text.captions.programTitle, text.messages.msgRunning,
                    QMessageBox::Ok);
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(text.captions.programTitle) +
            4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
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
        // The running window opens the file or just comes to the front; the box is for when
        // it cannot be reached.
        const QString &socket = options.handOverSocket;
        const bool handed = !socket.isEmpty() &&
                (options.file.isEmpty() ? ShowRunningInstance(socket)
                                        : HandFileToRunningInstance(socket, options.file));
        if (!handed)
            ShowAlreadyRunning(context.text);
        return nullptr;
    }
    // Without a lock a listening socket could take another window's place: none is made.
    const LockProblem lockProblem = guard.lockProblem();
    if (lockProblem != LockProblem::None)
        ShowMessage(nullptr, context.text,
                    LockProblemText(context.text.messages, lockProblem, guard.lockPath()));
    // The writer's random source was seeded from the clock when the platform was made.

    if (context.settings.load() == SettingsLoad::Damaged)
        ShowMessage(nullptr, context.text, context.text.messages.msgSystemInfoError);

    auto form = std::make_unique<MainForm>(context);
    form->applyCaptions();
    // A file that cannot be read has been reported; the start goes on as without it.
    if (options.file.isEmpty() || !form->documentCommands().openScheduleFile(options.file))
        ReopenLastDocument(*form, context);
    QObject::connect(form.get(), &MainForm::languageChosen, form.get(),
                     [&context](Language language) {
                         SwitchLanguage(context, language);
                         context.settings.setLanguage(language);
                     });
    if (!options.handOverSocket.isEmpty() && lockProblem == LockProblem::None) {
        auto *server = new FileHandOverServer(options.handOverSocket, form.get());
        QObject::connect(server, &FileHandOverServer::fileReceived, form.get(),
                         &MainForm::openHandedFile);
        QObject::connect(server, &FileHandOverServer::showRequested, form.get(),
                         &MainForm::comeToFront);
    }
    // Before show, so the window appears where it was; a geometry off every screen is moved.
    form->restoreGeometry(context.settings.windowGeometry());
    form->show();
    AfterFirstFrame(form.get(), [window = form.get()] {
        // The lists show what the media folder's files are as soon as they are read.
        window->session().startMediaSurvey();
        // Without the socket a second start shows the running message instead.
        if (auto *server = window->findChild<FileHandOverServer *>())
            server->listenSoon();
    });
    // Hidden by Exit, the close box or the end of the program: the geometry is taken then
    // (the last time while the window is destroyed, hence the plain widget).
    QObject::connect(form->windowHandle(), &QWindow::visibleChanged, form.get(),
                     [&context, window = static_cast<QWidget *>(form.get())](bool visible) {
                         if (!visible)
                             context.settings.setWindowGeometry(window->saveGeometry());
                     });
    return form;
}

void ReopenLastDocument(MainForm &form, AppContext &context)
{
    Settings &settings = context.settings;
    const QString last = settings.lastFile();
    if (FileExistsInDir(DirectoryPart(last), FileNamePart(last))) {
        const ScheduleFileResult read = form.session().open(last);
        if (read) {
            settings.setOpenFolder(DirectoryPart(last));
            return;
        }
        ShowFailure(&form, context.text, context.text.messages.msgScheduleReadError, read.reason);
    }
    form.session().newDocument();
}

int RunApplication(QApplication &application, AppContext &context, InstanceGuard &guard,
                   const QString &appFolder, const StartOptions &options)
{
    std::unique_ptr<MainForm> form = StartApplication(context, guard, appFolder, options);
    if (!form)
        return 0;
    const int exitCode = application.exec();
    // Losing the window's place or the language costs a click at the next start, no more.
    if (!context.settings.syncUserStore())
        qInfo("the per-user settings could not be written");
    return exitCode;
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

    QtPlatform services;
    AppContext context(services.platform());
    // ~/.config/nerav-schedule-generator/nerav-schedule-generator.ini; earlier versions kept
    // the publish dialog's medium in ~/.config/Nerav/NeravScheduleGenerator.conf.
    context.settings.openUserStore(
            QSettings(QSettings::IniFormat, QSettings::UserScope, programName, programName)
                    .fileName(),
            QSettings(QStringLiteral("Nerav"), QStringLiteral("NeravScheduleGenerator"))
                    .fileName());
    context.settings.setCacheFolder(
            QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    StartOptions options;
    options.file = commandLine.file;
    options.language = commandLine.language.value_or(context.settings.language());
    options.handOverSocket = HandOverSocketPath(lockFilePath);
    LockFileInstanceGuard guard(lockFilePath);
    return RunApplication(application, context, guard, DefaultAppFolder(), options);
}

} // namespace nerav
