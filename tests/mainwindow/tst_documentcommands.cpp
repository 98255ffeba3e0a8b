// New, Open, Save and Save As through the real buttons, menus, file dialogs and message boxes.

#include "CalendarForm.h"
#include "CalendarMonthView.h"
#include "MainWindowFixture.h"
#include "PathParts.h"
#include "PlanTable.h"
#include "ScheduleFile.h"
#include "ScheduleRules.h"
#include "TestFiles.h"
#include "TmpfsMount.h"

#include <QAction>
#include <QFile>
#include <QTableWidget>
#include <QTest>

using namespace nerav;
using namespace nerav::test;

class DocumentCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void newProposesTheFirstFreeName_data();
    void newProposesTheFirstFreeName();
    void openThroughTheDialog();
    void openAsksAgainAfterFileNotFound();
    void openCancelledChangesNothing();
    void openOfDamagedFileChangesNothing();
    void saveAsAppliesTheExtensionRule_data();
    void saveAsAppliesTheExtensionRule();
    void saveAfterNewAsksForAName();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void saveAsCancelledChangesNothing();
    void saveOfAnOpenedFileRewritesItWithoutADialog();
    void preSaveChecks_data();
    void preSaveChecks();
    void sizeEstimate_data();
    void sizeEstimate();
    void failedSaveAsKeepsTheDocumentName();
    void failedSaveKeepsTheOldFile();
    void saveAsIsFollowedAtOnce();
};

static void writeSample(MainWindowFixture &fixture, const QString &folder, const QString &name,
                        const ScheduleDocument &document = SampleDocument())
{
    QVERIFY(WriteScheduleFile(folder + name, document, fixture.app.random).ok);
}

static ScheduleDocument readBack(const QString &folder, const QString &name)
{
    ScheduleDocument document;
    ReadScheduleFile(folder + name, document);
    return document;
}

static QString title(const QString &folder, const QString &name)
{
    return QStringLiteral("ネラブスケジューラー - ") + folder + name + QStringLiteral("[*]");
}

void DocumentCommandsTest::cleanup()
{
    QVERIFY(WaitForNoModal());
    QVERIFY2(VisibleTopLevelWindows().isEmpty(), qPrintable(VisibleTopLevelWindows().join(", ")));
}

void DocumentCommandsTest::newProposesTheFirstFreeName_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("button") << false;
    QTest::newRow("menu") << true;
}

void DocumentCommandsTest::newProposesTheFirstFreeName()
{
    QFETCH(bool, fromMenu);
    MainWindowFixture fixture;
    writeSample(fixture, fixture.appFolder, "nerav.nrv");
    writeSample(fixture, fixture.appFolder, "nerav1.nrv");
    fixture.setDocument(SampleDocument());

    if (fromMenu)
        fixture.form->findChild<QAction *>("subNew")->trigger();
    else
        fixture.click("NewCmd");

    const Settings &settings = fixture.app.context.settings;
    QCOMPARE(DirectoryPart(settings.lastFile()), fixture.appFolder);
    QCOMPARE(FileNamePart(settings.lastFile()), QStringLiteral("nerav2.nrv"));
    QCOMPARE(fixture.form->windowTitle(), title(fixture.appFolder, "nerav2.nrv"));
    QCOMPARE(fixture.document().basicCount(), 0);
    QCOMPARE(fixture.child<ScheduleListView>("NormalList")->count(), 0);
    QVERIFY(!QFile::exists(fixture.appFolder + "nerav2.nrv"));
}

void DocumentCommandsTest::openThroughTheDialog()
{
    MainWindowFixture fixture;
    const QString docs = fixture.folder("docs");
    writeSample(fixture, docs, "plan.nrv");
    fixture.app.context.settings.setOpenFolder(docs);

    QString directory, proposed;
    AnswerInTurn({TypeIntoFileDialog("plan", &directory, &proposed)});
    fixture.click("OpenCmd");
    QVERIFY(WaitForNoModal());

    QCOMPARE(directory, docs);
    QCOMPARE(proposed, QString());
    const Settings &settings = fixture.app.context.settings;
    QCOMPARE(settings.openFolder(), docs);
    QCOMPARE(DirectoryPart(settings.lastFile()), docs);
    QCOMPARE(FileNamePart(settings.lastFile()), QStringLiteral("plan.nrv"));
    QCOMPARE(settings.saveFolder(), fixture.appFolder);
    QCOMPARE(fixture.form->windowTitle(), title(docs, "plan.nrv"));
    QVERIFY(fixture.document().SameContentAs(SampleDocument()));
    QCOMPARE(fixture.child<ScheduleListView>("NormalList")->count(), 3);
    QCOMPARE(fixture.child<ScheduleListView>("DetailList")->count(), 2);
    QVERIFY(fixture.child<QPushButton>("DetailMoveUpCmd")->isEnabled());
}

void DocumentCommandsTest::openAsksAgainAfterFileNotFound()
{
    MainWindowFixture fixture;
    const QString docs = fixture.folder("docs");
    writeSample(fixture, docs, "plan.nrv");

    QString message, secondDirectory, secondName;
    AnswerInTurn({TypeIntoFileDialog(docs + "missing"),
                  PressInMessageBox(QMessageBox::Ok, &message),
                  TypeIntoFileDialog("plan.nrv", &secondDirectory, &secondName)});
    fixture.form->findChild<QAction *>("subOpen")->trigger();
    QVERIFY(WaitForNoModal());

    QCOMPARE(message, QStringLiteral("ファイルが見つかりません"));
    // The dialog comes back in the folder and with the name of the failed try.
    QCOMPARE(secondDirectory, docs);
    QCOMPARE(secondName, QStringLiteral("missing.nrv"));
    QCOMPARE(FileNamePart(fixture.app.context.settings.lastFile()), QStringLiteral("plan.nrv"));
    QCOMPARE(fixture.app.context.settings.openFolder(), docs);
}

void DocumentCommandsTest::openCancelledChangesNothing()
{
    MainWindowFixture fixture;
    const Settings before = fixture.app.context.settings;
    const QString titleBefore = fixture.form->windowTitle();
    AnswerInTurn({TypeIntoFileDialog(QString())});
    fixture.click("OpenCmd");
    QCOMPARE(fixture.app.context.settings.openFolder(), before.openFolder());
    QCOMPARE(FileNamePart(fixture.app.context.settings.lastFile()),
             FileNamePart(before.lastFile()));
    QCOMPARE(fixture.form->windowTitle(), titleBefore);
}

void DocumentCommandsTest::openOfDamagedFileChangesNothing()
{
    MainWindowFixture fixture;
    const QString docs = fixture.folder("docs");
    writeSample(fixture, docs, "good.nrv");
    QFile damaged(docs + "bad.nrv");
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("NERAV but not a schedule");
    damaged.close();

    AnswerInTurn({TypeIntoFileDialog(docs + "good.nrv")});
    fixture.click("OpenCmd");
    QVERIFY(WaitForNoModal());
    const Settings before = fixture.app.context.settings;
    fixture.app.context.settings.setOpenFolder(fixture.appFolder);

    QString message;
    AnswerInTurn(
            {TypeIntoFileDialog(docs + "bad.nrv"), PressInMessageBox(QMessageBox::Ok, &message)});
    fixture.click("OpenCmd");
    QVERIFY(WaitForNoModal());

    // The second line names the file and where the reader found it damaged, as nrvtool does.
    QVERIFY2(IsFailureAbout(message, fixture.app.context.text.messages.msgScheduleReadError,
                            docs + "bad.nrv", "(byte offset 24)"),
             qPrintable(message));
    const Settings &settings = fixture.app.context.settings;
    QCOMPARE(settings.openFolder(), fixture.appFolder);
    QCOMPARE(DirectoryPart(settings.lastFile()), DirectoryPart(before.lastFile()));
    QCOMPARE(FileNamePart(settings.lastFile()), QStringLiteral("good.nrv"));
    QCOMPARE(fixture.form->windowTitle(), title(docs, "good.nrv"));
    QVERIFY(fixture.document().SameContentAs(SampleDocument()));
    QCOMPARE(fixture.child<ScheduleListView>("NormalList")->count(), 3);
    QCOMPARE(fixture.child<ScheduleListView>("AdvanceList")->count(), 2);
}

void DocumentCommandsTest::saveAsAppliesTheExtensionRule_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("abc") << "abc"
                         << "abc.nrv";
    QTest::newRow("x.ab") << "x.ab"
                          << "x.ab.nrv";
    QTest::newRow("plan.txt") << "plan.txt"
                              << "plan.txt";
    QTest::newRow("plan.nrv2") << "plan.nrv2"
                               << "plan.nrv2.nrv";
}

void DocumentCommandsTest::saveAsAppliesTheExtensionRule()
{
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    MainWindowFixture fixture;
    const QString docs = fixture.folder("docs");
    fixture.app.context.settings.setSaveFolder(docs);
    fixture.setDocument(SampleDocument());

    QString directory, proposed;
    AnswerInTurn({TypeIntoFileDialog(typed, &directory, &proposed)});
    fixture.click("SaveAsCmd");
    QVERIFY(WaitForNoModal());

    QCOMPARE(directory, docs);
    QCOMPARE(proposed, QStringLiteral("nerav.nrv"));
    QVERIFY(readBack(docs, saved).SameContentAs(SampleDocument()));
    const Settings &settings = fixture.app.context.settings;
    QCOMPARE(DirectoryPart(settings.lastFile()), docs);
    QCOMPARE(FileNamePart(settings.lastFile()), saved);
    QCOMPARE(settings.saveFolder(), docs);
    QCOMPARE(fixture.form->windowTitle(), title(docs, saved));
}

void DocumentCommandsTest::saveAfterNewAsksForAName()
{
    MainWindowFixture fixture;
    const QString docs = fixture.folder("docs");
    fixture.app.context.settings.setSaveFolder(docs);
    fixture.setDocument(SampleDocument());

    QString directory, proposed;
    AnswerInTurn({TypeIntoFileDialog("first", &directory, &proposed)});
    fixture.click("SaveCmd");
    QVERIFY(WaitForNoModal());

    QCOMPARE(directory, docs);
    QCOMPARE(proposed, QStringLiteral("nerav.nrv"));
    QVERIFY(QFile::exists(docs + "first.nrv"));
    QCOMPARE(FileNamePart(fixture.app.context.settings.lastFile()), QStringLiteral("first.nrv"));
}

void DocumentCommandsTest::overwriteQuestion_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("Yes overwrites") << true;
    QTest::newRow("No asks again") << false;
}

void DocumentCommandsTest::overwriteQuestion()
{
    QFETCH(bool, overwrite);
    MainWindowFixture fixture;
    const QString docs = fixture.folder("docs");
    ScheduleDocument old;
    old.basicEntries = {MakeEntry("OLD", "MP3", 1, 1)};
    writeSample(fixture, docs, "plan.nrv", old);
    fixture.app.context.settings.setSaveFolder(docs);
    fixture.setDocument(SampleDocument());

    QString question;
    std::vector<ModalStep> steps = {
            TypeIntoFileDialog("plan"),
            PressInMessageBox(overwrite ? QMessageBox::Yes : QMessageBox::No, &question)};
    if (!overwrite)
        steps.push_back(TypeIntoFileDialog("other"));
    AnswerInTurn(steps);
    fixture.click("SaveAsCmd");
    QVERIFY(WaitForNoModal());

    QCOMPARE(question, QStringLiteral("同じ名前のファイルがあります。上書きしますか？"));
    const QString savedName = overwrite ? "plan.nrv" : "other.nrv";
    QVERIFY(readBack(docs, savedName).SameContentAs(SampleDocument()));
    QCOMPARE(readBack(docs, "plan.nrv").SameContentAs(old), !overwrite);
    QCOMPARE(FileNamePart(fixture.app.context.settings.lastFile()), savedName);
}

void DocumentCommandsTest::saveAsCancelledChangesNothing()
{
    MainWindowFixture fixture;
    fixture.setDocument(SampleDocument());
    const Settings before = fixture.app.context.settings;
    AnswerInTurn({TypeIntoFileDialog(QString())});
    fixture.form->findChild<QAction *>("subSaveAs")->trigger();
    QCOMPARE(fixture.app.context.settings.saveFolder(), before.saveFolder());
    QCOMPARE(FileNamePart(fixture.app.context.settings.lastFile()),
             FileNamePart(before.lastFile()));
    QVERIFY(QDir(fixture.appFolder).entryList(QDir::Files).isEmpty());
}

void DocumentCommandsTest::saveOfAnOpenedFileRewritesItWithoutADialog()
{
    MainWindowFixture fixture;
    const QString docs = fixture.folder("docs");
    writeSample(fixture, docs, "plan.nrv");
    AnswerInTurn({TypeIntoFileDialog(docs + "plan.nrv")});
    fixture.click("OpenCmd");
    QVERIFY(WaitForNoModal());

    ScheduleDocument expected = fixture.document();
    expected.basicEntries.push_back(MakeEntry("ADDED", "MP3", 4, 4));
    fixture.setDocument(expected);
    ModalWatch watch;
    fixture.form->findChild<QAction *>("subSave")->trigger();

    QCOMPARE(watch.opened, 0);
    QVERIFY(readBack(docs, "plan.nrv").SameContentAs(expected));
    QCOMPARE(fixture.form->windowTitle(), title(docs, "plan.nrv"));
}

void DocumentCommandsTest::preSaveChecks_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("basicCount");
    QTest::addColumn<QList<int>>("detailCounts");
    QTest::addColumn<QString>("message");

    const QString crlf = QStringLiteral("\r\n");
    QTest::newRow("empty, English")
            << int(English) << 0 << QList<int> {} << "No schedule is set!" + crlf + "Can't save!";
    QTest::newRow("empty, Japanese") << int(Japanese) << 0 << QList<int> {}
                                     << QStringLiteral("スケジュールが設定されていないため") +
                    crlf + QStringLiteral("保存できません");
    QTest::newRow("second of three without details, English")
            << int(English) << 1 << QList<int> {1, 0, 0}
            << "Advance schedule 2 has no file!" + crlf + "Can't save!";
    QTest::newRow("first without details, Japanese")
            << int(Japanese) << 0 << QList<int> {0}
            << QStringLiteral("日時設定 1 にファイルが設定されていません") + crlf +
                    QStringLiteral("保存できません");
    QTest::newRow("too large")
            << int(English) << 250 << QList<int>(20, 50)
            << "The schedule file would be too large for the player! Can't save!";
}

void DocumentCommandsTest::preSaveChecks()
{
    QFETCH(int, language);
    QFETCH(int, basicCount);
    QFETCH(QList<int>, detailCounts);
    QFETCH(QString, message);

    MainWindowFixture fixture {short(language)};
    ScheduleDocument document;
    for (int i = 0; i < basicCount; ++i)
        document.basicEntries.push_back(MakeEntry("B" + QByteArray::number(i), "MP3", 1, 1));
    for (int count : detailCounts)
        document.advanceSchedules.push_back(Advance(count));
    fixture.setDocument(document);

    QString shown;
    AnswerInTurn({PressInMessageBox(QMessageBox::Ok, &shown)});
    fixture.click("SaveAsCmd");
    QVERIFY(WaitForNoModal());
    QCOMPARE(shown, message);
    QVERIFY(QDir(fixture.appFolder).entryList(QDir::Files).isEmpty());
}

void DocumentCommandsTest::sizeEstimate_data()
{
    QTest::addColumn<int>("basicCount");
    QTest::addColumn<int>("advanceCount");
    QTest::addColumn<int>("detailsEach");
    QTest::addColumn<bool>("fits");
    QTest::newRow("29,990") << 998 << 0 << 0 << true;
    QTest::newRow("30,020") << 999 << 0 << 0 << false;
    QTest::newRow("37,850") << 250 << 20 << 50 << false;
    QTest::newRow("250 of each, 100 details each") << 250 << 250 << 100 << false;
}

void DocumentCommandsTest::sizeEstimate()
{
    QFETCH(int, basicCount);
    QFETCH(int, advanceCount);
    QFETCH(int, detailsEach);
    QFETCH(bool, fits);
    ScheduleDocument document;
    document.basicEntries.resize(std::size_t(basicCount));
    document.advanceSchedules.assign(std::size_t(advanceCount), Advance(detailsEach));
    QCOMPARE(CheckScheduleSize(document), fits);
}

void DocumentCommandsTest::failedSaveAsKeepsTheDocumentName()
{
    MainWindowFixture fixture;
    QFile blocker(fixture.dir.path() + "/blocker");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    fixture.setDocument(SampleDocument());
    const Settings before = fixture.app.context.settings;
    const QString titleBefore = fixture.form->windowTitle();

    QString message;
    AnswerInTurn({TypeIntoFileDialog(fixture.dir.path() + "/blocker/plan.nrv"),
                  PressInMessageBox(QMessageBox::Ok, &message)});
    fixture.click("SaveAsCmd");
    QVERIFY(WaitForNoModal());

    QCOMPARE(message,
             fixture.app.context.text.messages.msgScheduleWriteError + "\r\nCannot write " +
                     fixture.dir.path() + "/blocker/plan.nrv: Not a directory");
    const Settings &settings = fixture.app.context.settings;
    QCOMPARE(DirectoryPart(settings.lastFile()), DirectoryPart(before.lastFile()));
    QCOMPARE(FileNamePart(settings.lastFile()), FileNamePart(before.lastFile()));
    QCOMPARE(settings.saveFolder(), before.saveFolder());
    QCOMPARE(fixture.form->windowTitle(), titleBefore);
}

void DocumentCommandsTest::failedSaveKeepsTheOldFile()
{
    MainWindowFixture fixture;
    const QString docs = fixture.folder("mounted");
    // A tiny file system that turns read-only after the old schedule is on it.
    TmpfsMount mount(docs);
    if (!mount.isMounted())
        QSKIP("mounting a tmpfs is not allowed here");
    writeSample(fixture, docs, "plan.nrv");
    const QByteArray oldBytes = ReadFile(docs + "plan.nrv");
    if (!mount.makeReadOnly())
        QSKIP("remounting read-only is not allowed here");

    AnswerInTurn({TypeIntoFileDialog(docs + "plan.nrv")});
    fixture.click("OpenCmd");
    QVERIFY(WaitForNoModal());
    ScheduleDocument emptied = fixture.document();
    emptied.basicEntries.clear();
    fixture.setDocument(emptied);

    QString message;
    AnswerInTurn({PressInMessageBox(QMessageBox::Ok, &message)});
    fixture.click("SaveCmd");
    QVERIFY(WaitForNoModal());

    QCOMPARE(message,
             fixture.app.context.text.messages.msgScheduleWriteError + "\r\nCannot write " + docs +
                     "plan.nrv: Read-only file system");
    QCOMPARE(ReadFile(docs + "plan.nrv"), oldBytes);
    QCOMPARE(FileNamePart(fixture.app.context.settings.lastFile()), QStringLiteral("plan.nrv"));
}

// The title, the calendar and an open publish dialog name the new file as soon as Save As has
// written it, not when they are next used.
void DocumentCommandsTest::saveAsIsFollowedAtOnce()
{
    MainWindowFixture fixture(English);
    const QString docs = fixture.folder("docs");
    const QString medium = fixture.folder("medium");
    // An earlier schedule of the new name on the medium: the publish would remove it as a
    // stray file, until it is the schedule's own name.
    QVERIFY(WriteFile(medium + "moved.nrv", "old schedule"));
    fixture.app.context.settings.setLastMedium({medium, QString()});
    fixture.form->session().model().resetDocument(SampleDocument());
    fixture.form->findChild<QAction *>("subCalendar")->trigger();
    CalendarForm *calendar = fixture.form->calendar();
    QVERIFY(calendar);
    QCOMPARE(calendar->monthView()->fileName(), QStringLiteral("nerav.nrv"));

    // Listed as a file the schedule does not name (the schedule file has a row of its own).
    const QString extra = fixture.app.context.text.publish.actionExtra;
    const auto listedOnMedium = [&extra](QWidget *dialog, const QString &name) {
        const auto *table = dialog->findChild<QTableWidget *>("PlanTable");
        for (int row = 0; table && row < table->rowCount(); ++row) {
            const QTableWidgetItem *item = table->item(row, PlanTable::NameColumn);
            const QTableWidgetItem *action = table->item(row, PlanTable::ActionColumn);
            if (item && item->text() == name && action && action->text() == extra)
                return true;
        }
        return false;
    };
    const QString moved = docs + "moved.nrv";
    bool strayBefore = false;
    bool strayAfter = true;
    QString titleAfter;
    QString calendarAfter;
    AnswerInTurn({[&](QWidget *dialog) {
                      QTRY_VERIFY(listedOnMedium(dialog, "moved.nrv"));
                      strayBefore = true;
                      fixture.form->documentCommands().saveDocument(true);
                      titleAfter = fixture.form->windowTitle();
                      calendarAfter = calendar->monthView()->fileName();
                      // Checked again for the new name.
                      QTRY_VERIFY(dialog->findChild<QTableWidget *>("PlanTable")->rowCount() > 0);
                      strayAfter = listedOnMedium(dialog, "moved.nrv");
                      dialog->close();
                  },
                  TypeIntoFileDialog(moved)});
    fixture.form->findChild<QAction *>("subPublish")->trigger();
    QVERIFY(WaitForNoModal());

    QVERIFY(QFileInfo::exists(moved));
    QCOMPARE(fixture.form->session().path(), moved);
    QCOMPARE(fixture.app.context.settings.lastFile(), moved);
    QVERIFY(strayBefore);
    QCOMPARE(titleAfter, QStringLiteral("Nerav Schedule Generator - ") + moved + "[*]");
    QCOMPARE(calendarAfter, QStringLiteral("moved.nrv"));
    QCOMPARE(calendar->file(), moved);
    QVERIFY(!strayAfter);
}

QTEST_MAIN(DocumentCommandsTest)
#include "tst_documentcommands.moc"
