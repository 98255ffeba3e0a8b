// Start-up and shutdown: first run, reopening the last schedule, a damaged one, a second
// instance, and the settings written when the window closes.

#include "MainWindowFixture.h"
#include "PathParts.h"
#include "ScheduleFile.h"
#include "Startup.h"
#include "TestFiles.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QTest>

using namespace nerav;
using namespace nerav::test;

namespace {

struct StartupFixture
{
    StartupFixture()
    {
        appFolder = dir.path() + QStringLiteral("/app/");
        QDir().mkpath(appFolder);
    }

    QString settingsFile() const { return appFolder + QStringLiteral("SystemInfo.txt"); }

    // A SystemInfo.txt as a previous run would leave it, remembering folder + name.
    void rememberDocument(const QString &folder, const QString &name) const
    {
        Settings settings;
        InitDefaults(settings, appFolder);
        settings.setLastFile(folder + name);
        QVERIFY(settings.save());
    }

    std::unique_ptr<MainForm> start(bool onlyInstance = true)
    {
        FakeInstanceGuard guard(onlyInstance);
        return StartApplication(app.context, guard, appFolder);
    }

    QTemporaryDir dir;
    FakeApp app {English}; // start-up itself selects Japanese
    QString appFolder;
};

QString japaneseTitle(const QString &folder, const QString &name)
{
    return QStringLiteral("ネラブスケジューラー - ") + folder + name + QStringLiteral("[*]");
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void firstRunShowsAnEmptyDocument();
    void firstRunOpensAnExistingDefaultFile();
    void reopensTheRememberedFile();
    void deletedRememberedFileGivesANewDocument();
    void damagedRememberedFileIsReportedThenNew();
    void damagedSettingsFileIsReported();
    void secondInstanceOnlyShowsTheRunningMessage();
    void japaneseStartTranslatesQtsOwnButtons();
    void closingWritesTheSettings_data();
    void closingWritesTheSettings();
    void windowOpensWhereItWasClosed();
    void runApplicationEndsWhenTheWindowCloses();
};

void StartupTest::cleanup()
{
    QVERIFY(WaitForNoModal());
    QVERIFY2(VisibleTopLevelWindows().isEmpty(), qPrintable(VisibleTopLevelWindows().join(", ")));
}

void StartupTest::firstRunShowsAnEmptyDocument()
{
    StartupFixture fixture;
    ModalWatch watch;
    auto form = fixture.start();
    QVERIFY(form);
    QCOMPARE(watch.opened, 0);
    QVERIFY(form->isVisible());
    QCOMPARE(fixture.app.context.text.language, short(Japanese));
    QCOMPARE(form->windowTitle(), japaneseTitle(fixture.appFolder, "nerav.nrv"));
    QCOMPARE(form->findChild<QPushButton *>("SaveCmd")->text(), QStringLiteral("上書き保存"));
    QCOMPARE(form->session().document().basicCount(), 0);
    QVERIFY(form->findChild<QPushButton *>("NormalAddCmd")->isEnabled());
    QVERIFY(!form->findChild<QPushButton *>("DetailAddCmd")->isEnabled());
    QVERIFY(!QFile::exists(fixture.settingsFile()));
    form->close();
}

void StartupTest::firstRunOpensAnExistingDefaultFile()
{
    StartupFixture fixture;
    QVERIFY(WriteScheduleFile(fixture.appFolder + "nerav.nrv", SampleDocument(), fixture.app.random)
                    .ok);
    auto form = fixture.start();
    QVERIFY(form->session().document().SameContentAs(SampleDocument()));
    QCOMPARE(form->windowTitle(), japaneseTitle(fixture.appFolder, "nerav.nrv"));
    QCOMPARE(form->findChild<ScheduleListView *>("NormalList")->count(), 3);
    form->close();
}

void StartupTest::reopensTheRememberedFile()
{
    StartupFixture fixture;
    const QString docs = fixture.dir.path() + "/docs/";
    QDir().mkpath(docs);
    QVERIFY(WriteScheduleFile(docs + "plan.nrv", SampleDocument(), fixture.app.random).ok);
    fixture.rememberDocument(docs, "plan.nrv");

    auto form = fixture.start();
    QVERIFY(form->session().document().SameContentAs(SampleDocument()));
    QCOMPARE(fixture.app.context.settings.openFolder(), docs);
    QCOMPARE(form->windowTitle(), japaneseTitle(docs, "plan.nrv"));
    QCOMPARE(form->findChild<ScheduleListView *>("AdvanceList")->currentRow(), 0);
    QCOMPARE(form->findChild<ScheduleListView *>("DetailList")->count(), 2);
    QVERIFY(form->findChild<QPushButton *>("DetailMoveDownCmd")->isEnabled());
    form->close();
}

void StartupTest::deletedRememberedFileGivesANewDocument()
{
    StartupFixture fixture;
    fixture.rememberDocument(fixture.dir.path() + "/gone/", "plan.nrv");
    auto form = fixture.start();
    QCOMPARE(DirectoryPart(fixture.app.context.settings.lastFile()), fixture.appFolder);
    QCOMPARE(form->windowTitle(), japaneseTitle(fixture.appFolder, "nerav.nrv"));
    form->close();
}

void StartupTest::damagedRememberedFileIsReportedThenNew()
{
    StartupFixture fixture;
    QFile damaged(fixture.appFolder + "broken.nrv");
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(80, 'x'));
    damaged.close();
    fixture.rememberDocument(fixture.appFolder, "broken.nrv");

    QString message;
    AnswerInTurn({PressInMessageBox(QMessageBox::Ok, &message)});
    auto form = fixture.start();
    QVERIFY2(IsFailureAbout(message, fixture.app.context.text.messages.msgScheduleReadError,
                            fixture.appFolder + "broken.nrv", "(byte offset "),
             qPrintable(message));
    QCOMPARE(FileNamePart(fixture.app.context.settings.lastFile()), QStringLiteral("nerav.nrv"));
    QCOMPARE(form->windowTitle(), japaneseTitle(fixture.appFolder, "nerav.nrv"));
    QCOMPARE(form->session().document().basicCount(), 0);
    QVERIFY(QFile::exists(fixture.appFolder + "broken.nrv"));
    form->close();
}

void StartupTest::damagedSettingsFileIsReported()
{
    StartupFixture fixture;
    QFile settings(fixture.settingsFile());
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("\"/a/\"\r\n\"/b/\"\r\n");
    settings.close();

    QString message;
    AnswerInTurn({PressInMessageBox(QMessageBox::Ok, &message)});
    auto form = fixture.start();
    QCOMPARE(message, QStringLiteral("システムエラー"));
    QVERIFY(form);
    form->close();
}

void StartupTest::japaneseStartTranslatesQtsOwnButtons()
{
    StartupFixture fixture;
    auto form = fixture.start();
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QVERIFY2(buttons.button(QDialogButtonBox::Cancel)->text() == QStringLiteral("キャンセル"),
             "Qt's Japanese translations (qtbase_ja.qm, qt6-translations-l10n) not loaded");
    // The message boxes' OK keeps its text.
    QCOMPARE(buttons.button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));
    form->close();

    QVERIFY(LoadQtTranslations(English));
    QDialogButtonBox english(QDialogButtonBox::Cancel);
    QCOMPARE(english.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
}

void StartupTest::secondInstanceOnlyShowsTheRunningMessage()
{
    StartupFixture fixture;
    fixture.rememberDocument(fixture.appFolder, "plan.nrv");
    const QByteArray settingsBefore = ReadFile(fixture.settingsFile());

    QString title, text;
    int width = 0, titleWidth = 0;
    OnNextModal([&](QWidget *widget) {
        title = widget->windowTitle();
        width = widget->width();
        titleWidth = widget->fontMetrics().horizontalAdvance(title);
        PressInMessageBox(QMessageBox::Ok, &text)(widget);
    });
    auto form = fixture.start(false);
    QVERIFY(WaitForNoModal());

    QVERIFY(!form);
    QCOMPARE(title, QStringLiteral("ネラブスケジューラー"));
    QCOMPARE(text, QStringLiteral("プログラム起動中"));
    // Room for the whole title beside the title bar's icon and buttons.
    QVERIFY2(width >= titleWidth + 100, qPrintable(QString("%1 / %2").arg(width).arg(titleWidth)));
    QCOMPARE(ReadFile(fixture.settingsFile()), settingsBefore);
    QCOMPARE(QDir(fixture.appFolder).entryList(QDir::Files), QStringList {"SystemInfo.txt"});
    // Nothing was read either.
    QCOMPARE(FileNamePart(fixture.app.context.settings.lastFile()), QStringLiteral("nerav.nrv"));
}

void StartupTest::closingWritesTheSettings_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Exit button") << "ExitCmd";
    QTest::newRow("Exit menu item") << "subExit";
    QTest::newRow("close box") << "";
}

void StartupTest::closingWritesTheSettings()
{
    QFETCH(QString, how);
    StartupFixture fixture;
    auto form = fixture.start();
    fixture.app.context.settings.setMediaFolder("/media/disk/");

    if (how.isEmpty())
        form->close();
    else if (how == "subExit")
        form->findChild<QAction *>(how)->trigger();
    else
        QTest::mouseClick(form->findChild<QPushButton *>(how), Qt::LeftButton);

    QVERIFY(!form->isVisible());
    Settings reread;
    InitDefaults(reread, fixture.appFolder);
    QCOMPARE(reread.load(), SettingsLoad::Loaded);
    QCOMPARE(reread.mediaFolder(), QStringLiteral("/media/disk/"));
    QCOMPARE(FileNamePart(reread.lastFile()), QStringLiteral("nerav.nrv"));
}

void StartupTest::windowOpensWhereItWasClosed()
{
    StartupFixture fixture;
    const QString store = fixture.dir.filePath(QStringLiteral("user.conf"));
    fixture.app.context.settings.openUserStore(store);
    auto form = fixture.start();
    const QRect unplaced = form->geometry();
    // Its least size at a place of its own, within the test screen.
    form->setGeometry(QRect(QPoint(10, 20), form->minimumSize()));
    const QRect placed = form->geometry();
    QVERIFY(placed != unplaced);
    form->close();
    QVERIFY(fixture.app.context.settings.syncUserStore());
    QVERIFY(ReadFile(store).contains("geometry="));

    // The next run: a fresh context over the same application folder and store.
    FakeApp next(English);
    next.context.settings.openUserStore(store);
    FakeInstanceGuard guard(true);
    auto reopened = StartApplication(next.context, guard, fixture.appFolder);
    QCOMPARE(reopened->geometry(), placed);
    reopened->close();
}

void StartupTest::runApplicationEndsWhenTheWindowCloses()
{
    StartupFixture fixture;
    FakeInstanceGuard guard(true);
    QTimer::singleShot(0, qApp, [] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == "MainForm" && widget->isVisible())
                widget->close();
        }
    });
    QCOMPARE(RunApplication(*qApp, fixture.app.context, guard, fixture.appFolder), 0);
    QVERIFY(QFile::exists(fixture.settingsFile()));
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
