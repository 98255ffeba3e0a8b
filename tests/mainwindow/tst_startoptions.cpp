// What a start is given beyond the defaults: the command line, a schedule file named on it, the
// hand-over of that file to a running window, and the interface language chosen while running.

#include "CommandLine.h"
#include "FileHandOver.h"
#include "LanguageSwitch.h"
#include "MainWindowFixture.h"
#include "PathParts.h"
#include "ScheduleFile.h"
#include "Startup.h"
#include "TestFiles.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QTest>

using namespace nerav;
using namespace nerav::test;

namespace {

struct StartFixture
{
    StartFixture()
    {
        appFolder = dir.path() + QStringLiteral("/app/");
        docs = dir.path() + QStringLiteral("/docs/");
        QDir().mkpath(appFolder);
        QDir().mkpath(docs);
        options.handOverSocket = dir.path() + QStringLiteral("/nerav.socket");
        app.context.settings.openUserStore(userStore);
    }

    // The language a later start reads from the per-user store.
    Language rememberedLanguage()
    {
        if (!app.context.settings.syncUserStore())
            return Language(0);
        Settings later;
        later.openUserStore(userStore);
        return later.language();
    }

    void writeSample(const QString &name, const ScheduleDocument &document = SampleDocument())
    {
        QVERIFY(WriteScheduleFile(docs + name, document, app.random).ok);
    }

    std::unique_ptr<MainForm> start(bool onlyInstance = true)
    {
        FakeInstanceGuard guard(onlyInstance);
        auto form = StartApplication(app.context, guard, appFolder, options);
        // The socket listens once its library is loaded, a moment after the window is up.
        if (auto *server = form ? form->findChild<FileHandOverServer *>() : nullptr)
            if (!QTest::qWaitFor([server] { return server->isListening(); }, 5000))
                qWarning("the hand-over socket does not listen");
        return form;
    }

    QTemporaryDir dir;
    FakeApp app {English};
    QString appFolder, docs;
    const QString userStore = dir.filePath(QStringLiteral("user.conf"));
    StartOptions options;
};

ScheduleDocument OneEntryDocument()
{
    ScheduleDocument document;
    document.basicEntries = {MakeEntry("ONLY", "MP3", 1, 1)};
    return document;
}

// The text a user reads on the named object of the window: a button's, a frame's title, a
// menu's title, an item's text, or the first row of a list.
QString ShownText(QWidget *window, const QString &name)
{
    if (name == QLatin1String("windowTitle"))
        return window->windowTitle();
    if (auto *button = window->findChild<QAbstractButton *>(name))
        return button->text();
    if (auto *frame = window->findChild<QGroupBox *>(name))
        return frame->title();
    if (auto *menu = window->findChild<QMenu *>(name))
        return menu->title();
    if (auto *item = window->findChild<QAction *>(name))
        return item->text();
    if (auto *list = window->findChild<ScheduleListView *>(name))
        return list->count() > 0 ? list->rowText(0).simplified() : QString();
    return QStringLiteral("<no %1>").arg(name);
}

} // namespace

class StartOptionsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void commandLine_data();
    void commandLine();
    void fileArgument_data();
    void fileArgument();
    void secondStartHandsTheFileOver_data();
    void secondStartHandsTheFileOver();
    void handedFileWaitsForAnOpenDialog();
    void secondStartWithoutAFileBringsTheWindowForward_data();
    void secondStartWithoutAFileBringsTheWindowForward();
    void startWithoutALockSaysSoAndTakesNoFiles();
    void languageSwitchRetextsTheWindow_data();
    void languageSwitchRetextsTheWindow();
    void languageSwitchRetextsAnOpenDialog_data();
    void languageSwitchRetextsAnOpenDialog();
    void languageStartsAsRemembered();
    void qtButtonsFollowTheLanguage();
};

void StartOptionsTest::cleanup()
{
    QVERIFY(WaitForNoModal());
    QVERIFY2(VisibleTopLevelWindows().isEmpty(), qPrintable(VisibleTopLevelWindows().join(", ")));
}

void StartOptionsTest::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("language"); // 0: none given
    QTest::addColumn<bool>("error");
    const QString cwd = QDir::currentPath();
    QTest::newRow("nothing") << QStringList() << QString() << 0 << false;
    QTest::newRow("absolute file") << QStringList {"/tmp/a.nrv"} << "/tmp/a.nrv" << 0 << false;
    QTest::newRow("relative file") << QStringList {"x/b.nrv"} << cwd + "/x/b.nrv" << 0 << false;
    QTest::newRow("english") << QStringList {"--language", "en"} << QString() << 1 << false;
    QTest::newRow("japanese and file")
            << QStringList {"--language=ja", "/c.nrv"} << "/c.nrv" << 2 << false;
    QTest::newRow("unknown language") << QStringList {"--language", "de"} << QString() << 0 << true;
    QTest::newRow("two files") << QStringList {"/a.nrv", "/b.nrv"} << QString() << 0 << true;
    QTest::newRow("unknown option") << QStringList {"--colour"} << QString() << 0 << true;
}

void StartOptionsTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(int, language);
    QFETCH(bool, error);
    const CommandLine parsed =
            ParseCommandLine(QStringList {"nerav-schedule-generator"} + arguments);
    QCOMPARE(!parsed.error.isEmpty(), error);
    if (error)
        return;
    QCOMPARE(parsed.file, file);
    QCOMPARE(int(parsed.language.value_or(Language(0))), language);
}

void StartOptionsTest::fileArgument_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("cause"); // on the message's second line, after the file
    QTest::newRow("good") << "given.nrv" << true << QString();
    QTest::newRow("damaged") << "broken.nrv" << false << "(byte offset ";
    QTest::newRow("missing") << "gone.nrv" << false << "No such file";
}

void StartOptionsTest::fileArgument()
{
    QFETCH(QString, given);
    QFETCH(bool, opened);
    QFETCH(QString, cause);
    StartFixture fixture;
    fixture.writeSample("given.nrv", OneEntryDocument());
    fixture.writeSample("last.nrv");
    QVERIFY(WriteFile(fixture.docs + "broken.nrv", QByteArray(80, 'x')));
    Settings remembered;
    InitDefaults(remembered, fixture.appFolder);
    remembered.setLastFile(fixture.docs + "last.nrv");
    QVERIFY(remembered.save());
    fixture.options.file = fixture.docs + given;

    QString message;
    if (!opened)
        AnswerInTurn({PressInMessageBox(QMessageBox::Ok, &message)});
    auto form = fixture.start();
    QVERIFY(WaitForNoModal());
    QVERIFY(form);
    // Without the given file the start goes on as usual: the last schedule comes back.
    const QString shown = opened ? given : QStringLiteral("last.nrv");
    if (opened)
        QCOMPARE(message, QString());
    else
        QVERIFY2(IsFailureAbout(message, fixture.app.context.text.messages.msgScheduleReadError,
                                fixture.docs + given, cause),
                 qPrintable(message));
    QCOMPARE(FileNamePart(fixture.app.context.settings.lastFile()), shown);
    QCOMPARE(form->windowTitle(),
             QStringLiteral("ネラブスケジューラー - ") + fixture.docs + shown + "[*]");
    QVERIFY(form->session().document().SameContentAs(opened ? OneEntryDocument()
                                                            : SampleDocument()));
    // The media folder is read once the window is up, whichever schedule it shows.
    QTRY_VERIFY(form->session().model().media().active());
    form->close();
}

void StartOptionsTest::secondStartHandsTheFileOver_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<bool>("unsaved");
    // The answer to the question about unsaved changes; NoButton when none is asked.
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");
    QTest::newRow("running window listens") << true << false << int(QMessageBox::NoButton) << true;
    QTest::newRow("unsaved changes given up") << true << true << int(QMessageBox::Discard) << true;
    QTest::newRow("unsaved changes kept") << true << true << int(QMessageBox::Cancel) << false;
    QTest::newRow("nobody listens") << false << false << int(QMessageBox::NoButton) << false;
}

void StartOptionsTest::secondStartHandsTheFileOver()
{
    QFETCH(bool, listening);
    QFETCH(bool, unsaved);
    QFETCH(int, answer);
    QFETCH(bool, opened);
    StartFixture running;
    running.writeSample("first.nrv");
    running.writeSample("handed.nrv", OneEntryDocument());
    running.options.file = running.docs + "first.nrv";
    std::unique_ptr<MainForm> window;
    if (listening) {
        window = running.start();
        QVERIFY(window);
        if (unsaved)
            QTest::mouseClick(window->findChild<QPushButton *>("NormalMoveDownCmd"),
                              Qt::LeftButton);
    }

    // The second start shares only the socket with the first, as another process would.
    StartFixture second;
    second.options.handOverSocket = running.options.handOverSocket;
    second.options.file = running.docs + "handed.nrv";
    QString message;
    if (!listening || answer != QMessageBox::NoButton)
        AnswerInTurn({PressInMessageBox(
                listening ? QMessageBox::StandardButton(answer) : QMessageBox::Ok, &message)});
    QVERIFY(!second.start(false));
    // Without a window of its own the second start took the file for no schedule.
    QVERIFY(second.app.context.settings.lastFile() != second.options.file);
    if (!listening) {
        QVERIFY(WaitForNoModal());
        QCOMPARE(message, QStringLiteral("プログラム起動中"));
        return;
    }
    const QString shown = opened ? QStringLiteral("handed.nrv") : QStringLiteral("first.nrv");
    if (unsaved)
        QTRY_VERIFY(!message.isEmpty());
    QTRY_COMPARE(FileNamePart(running.app.context.settings.lastFile()), shown);
    QVERIFY(WaitForNoModal());
    // The question is about the running window's file, not the one handed over.
    const MessageTable &messages = running.app.context.text.messages;
    QCOMPARE(message,
             unsaved ? messages.msgSaveChanges + u'\n' +
                             messages.msgChangesOfFile.arg(running.docs + "first.nrv")
                     : QString());
    QCOMPARE(window->session().document().basicCount(), opened ? 1 : 3);
    QVERIFY(window->windowTitle().contains(running.docs + shown));
    if (!opened)
        window->findChild<QAction *>("subUndo")->trigger();
    window->close();
}

void StartOptionsTest::handedFileWaitsForAnOpenDialog()
{
    StartFixture running;
    running.writeSample("handed.nrv");
    auto window = running.start();
    bool keptWhileOpen = false;
    OnNextModal([&](QWidget *dialog) {
        QVERIFY(HandFileToRunningInstance(running.options.handOverSocket,
                                          running.docs + "handed.nrv"));
        QTest::qWait(500);
        keptWhileOpen = window->session().document().basicCount() == 0;
        dialog->close();
    });
    window->findChild<QAction *>("subAboutCompany")->trigger();
    QVERIFY(WaitForNoModal());
    QVERIFY(keptWhileOpen);
    QTRY_COMPARE(FileNamePart(running.app.context.settings.lastFile()),
                 QStringLiteral("handed.nrv"));
    QCOMPARE(window->session().document().basicCount(), 3);
    window->close();
}

void StartOptionsTest::secondStartWithoutAFileBringsTheWindowForward_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<bool>("minimized");
    QTest::newRow("behind another window") << true << false;
    QTest::newRow("minimized") << true << true;
    QTest::newRow("nobody listens") << false << false;
}

// The running window comes to the front; the running message is only for when it cannot be
// reached.
void StartOptionsTest::secondStartWithoutAFileBringsTheWindowForward()
{
    QFETCH(bool, listening);
    QFETCH(bool, minimized);
    StartFixture running;
    std::unique_ptr<MainForm> window;
    QWidget other;
    if (listening) {
        window = running.start();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        if (minimized)
            window->showMinimized();
    }

    StartFixture second;
    second.options.handOverSocket = running.options.handOverSocket;
    ModalWatch boxes;
    QVERIFY(!second.start(false));
    QVERIFY(WaitForNoModal());
    QCOMPARE(boxes.texts, listening ? QStringList() : QStringList {"プログラム起動中"});
    if (!listening)
        return;
    QTRY_COMPARE(QApplication::activeWindow(), window.get());
    QVERIFY(!window->isMinimized());
    // Nothing else changed: the same schedule, no second window.
    QCOMPARE(FileNamePart(running.app.context.settings.lastFile()), QStringLiteral("nerav.nrv"));
    other.close();
    window->close();
}

// The start goes on, but no socket is made that could take another window's place.
void StartOptionsTest::startWithoutALockSaysSoAndTakesNoFiles()
{
    StartFixture fixture;
    fixture.writeSample("handed.nrv");
    QString message;
    AnswerInTurn({PressInMessageBox(QMessageBox::Ok, &message)});
    FakeInstanceGuard guard(true, LockProblem::NotRegularFile);
    auto form = StartApplication(fixture.app.context, guard, fixture.appFolder, fixture.options);
    QVERIFY(WaitForNoModal());
    QVERIFY(form);
    const MessageTable &messages = fixture.app.context.text.messages;
    QCOMPARE(message,
             messages.msgLockUnusable.arg("/run/user/nerav.lock") + '\n' +
                     messages.msgLockNotRegularFile);
    QVERIFY(!HandFileToRunningInstance(fixture.options.handOverSocket,
                                       fixture.docs + "handed.nrv"));
    form->close();
}

void StartOptionsTest::languageSwitchRetextsTheWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("japanese");
    QTest::newRow("button") << "SaveCmd"
                            << "Save"
                            << "上書き保存";
    QTest::newRow("list button") << "AdvanceMoveUpCmd"
                                 << "Move Up"
                                 << "上へ移動";
    QTest::newRow("frame") << "DetailFrame"
                           << "Detail of Advance Schedule"
                           << "複数ファイル設定";
    QTest::newRow("menu") << "subView"
                          << "&View"
                          << "表示(&V)";
    QTest::newRow("menu item") << "subSaveAs"
                               << "Save &As..."
                               << "名前を付けて保存(&A)...";
    QTest::newRow("language menu") << "subLanguage"
                                   << "&Language"
                                   << "言語(&L)";
    QTest::newRow("week day in a row") << "AdvanceList"
                                       << "2007/01/01 00:00:00 2008/01/01 00:00:00 Wednesday"
                                       << "2007/01/01 00:00:00 2008/01/01 00:00:00 水曜日";
}

void StartOptionsTest::languageSwitchRetextsTheWindow()
{
    QFETCH(QString, name);
    QFETCH(QString, english);
    QFETCH(QString, japanese);
    StartFixture fixture;
    fixture.writeSample("plan.nrv");
    fixture.options.file = fixture.docs + "plan.nrv";
    auto form = fixture.start();
    QCOMPARE(ShownText(form.get(), name), japanese);

    form->findChild<QAction *>("subEnglish")->trigger();
    QCOMPARE(fixture.app.context.text.language, short(English));
    QCOMPARE(ShownText(form.get(), name), english);
    QCOMPARE(form->windowTitle(),
             QStringLiteral("Nerav Schedule Generator - ") + fixture.docs + "plan.nrv[*]");
    QVERIFY(form->findChild<QAction *>("subEnglish")->isChecked());
    QCOMPARE(fixture.rememberedLanguage(), English);

    form->findChild<QAction *>("subJapanese")->trigger();
    QCOMPARE(ShownText(form.get(), name), japanese);
    QVERIFY(form->findChild<QAction *>("subJapanese")->isChecked());
    QCOMPARE(fixture.rememberedLanguage(), Japanese);
    form->close();
}

void StartOptionsTest::languageSwitchRetextsAnOpenDialog_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("japanese");
    QTest::newRow("entry editor title") << "NormalAddCmd"
                                        << "windowTitle"
                                        << "Schedule File Editor - Basic Schedule"
                                        << "ファイル選択と設定 - 基本設定";
    QTest::newRow("entry editor frame") << "NormalAddCmd"
                                        << "EditFrame"
                                        << "File Edit"
                                        << "ファイル編集";
    QTest::newRow("entry editor button") << "NormalAddCmd"
                                         << "CancelCmd"
                                         << "Cancel"
                                         << "キャンセル";
    QTest::newRow("date/time editor frame") << "AdvanceAddCmd"
                                            << "DateFrame"
                                            << "Date Setup"
                                            << "日付設定";
    QTest::newRow("about company title") << "subAboutCompany"
                                         << "windowTitle"
                                         << "About Company..."
                                         << "お問合せ";
}

void StartOptionsTest::languageSwitchRetextsAnOpenDialog()
{
    QFETCH(QString, opener);
    QFETCH(QString, name);
    QFETCH(QString, english);
    QFETCH(QString, japanese);
    StartFixture fixture;
    auto form = fixture.start();
    QString before, switched, back;
    OnNextModal([&](QWidget *dialog) {
        before = ShownText(dialog, name);
        SwitchLanguage(fixture.app.context, English);
        switched = ShownText(dialog, name);
        SwitchLanguage(fixture.app.context, Japanese);
        back = ShownText(dialog, name);
        dialog->close();
    });
    if (auto *button = form->findChild<QPushButton *>(opener))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        form->findChild<QAction *>(opener)->trigger();
    QVERIFY(WaitForNoModal());
    QCOMPARE(before, japanese);
    QCOMPARE(switched, english);
    QCOMPARE(back, japanese);
    form->close();
}

void StartOptionsTest::languageStartsAsRemembered()
{
    StartFixture fixture;
    QCOMPARE(fixture.rememberedLanguage(), Japanese);
    // The store earlier versions wrote the choice to is read as it is.
    QVERIFY(WriteFile(fixture.userStore, "[interface]\nlanguage=en\n"));
    QCOMPARE(fixture.rememberedLanguage(), English);
    fixture.options.language = English;
    auto form = fixture.start();
    QCOMPARE(ShownText(form.get(), "OpenCmd"), QStringLiteral("Open"));
    QVERIFY(form->findChild<QAction *>("subEnglish")->isChecked());
    form->close();
}

void StartOptionsTest::qtButtonsFollowTheLanguage()
{
    StartFixture fixture;
    auto form = fixture.start();
    const auto cancelText = [] {
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        return buttons.button(QDialogButtonBox::Cancel)->text();
    };
    QVERIFY2(cancelText() == QStringLiteral("キャンセル"),
             "Qt's Japanese translations (qtbase_ja.qm, qt6-translations-l10n) not loaded");
    form->findChild<QAction *>("subEnglish")->trigger();
    QCOMPARE(cancelText(), QStringLiteral("Cancel"));
    form->findChild<QAction *>("subJapanese")->trigger();
    QCOMPARE(cancelText(), QStringLiteral("キャンセル"));
    form->close();
}

QTEST_MAIN(StartOptionsTest)
#include "tst_startoptions.moc"
