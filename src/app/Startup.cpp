#include "Startup.h"

#include "MainForm.h"
#include "MessageBoxes.h"
#include "QtPlatform.h"
#include "RememberedSettings.h"
#include "SystemModule.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace nerav {

// The one message box titled with the program's name instead of "Message".
static void ShowAlreadyRunning(const InterfaceText &text)
{
    QMessageBox box(QMessageBox::NoIcon, text.captions.programTitle, text.messages.msgRunning,
                    QMessageBox::Ok);
    box.exec();
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
                                           const QString &appFolder)
{
    InitDefaults(context.settings, appFolder);
    LoadInterfaceText(context.text, Japanese);
    context.text.language = Japanese;
    // Without them Qt's own dialogs and buttons stay English; the program works the same.
    if (!LoadQtTranslations(Japanese))
        qInfo("Qt's Japanese translations (qtbase_ja.qm) are not installed");

    if (!guard.tryBecomeOnlyInstance()) {
        ShowAlreadyRunning(context.text);
        return nullptr;
    }
    // The writer's random source was seeded from the clock when the platform was made.

    if (LoadRememberedSettings(context.settings) == SettingsLoad::Damaged)
        ShowMessage(nullptr, context.text.messages.msgSystemInfoError);

    auto form = std::make_unique<MainForm>(context);
    form->InitMainFormOsd();
    ReopenLastDocument(*form, context);
    form->ButtonStatusSetup();
    form->show();
    return form;
}

void ReopenLastDocument(MainForm &form, AppContext &context)
{
    RememberedSettings &settings = context.settings;
    if (FileExistsInDir(settings.documentFolder, settings.documentName)) {
        if (form.LoadScheduleIntoLists(settings.documentFolder, settings.documentName)) {
            settings.openFolder = settings.documentFolder;
            form.SetDocumentTitle();
            return;
        }
        ShowMessage(&form, context.text.messages.msgScheduleReadError);
    }
    form.NewDocument();
}

int RunApplication(QApplication &application, AppContext &context, InstanceGuard &guard,
                   const QString &appFolder)
{
    std::unique_ptr<MainForm> form = StartApplication(context, guard, appFolder);
    if (!form)
        return 0;
    return application.exec();
}

int RunProgram(QApplication &application, const QString &lockFilePath)
{
    // The name also names the per-user settings folder (~/.local/share/nerav-schedule-generator).
    const QString programName = QStringLiteral("nerav-schedule-generator");
    QApplication::setApplicationName(programName);
    QGuiApplication::setDesktopFileName(programName);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/nerav-schedule-generator-128.png")));

    QtPlatform services;
    AppContext context(services.platform());
    LockFileInstanceGuard guard(lockFilePath);
    return RunApplication(application, context, guard, DefaultAppFolder());
}

} // namespace nerav
