// Undo and redo of every list command, and the question before unsaved changes are lost, through
// the real buttons, menus, editors and message boxes.

#include "MainWindowFixture.h"
#include "ScheduleFile.h"

#include <QAction>
#include <QComboBox>
#include <QMenuBar>
#include <QSignalSpy>
#include <QUndoStack>
#include <QWindow>

using namespace nerav;
using namespace nerav::test;

namespace {

const char *const Lists[] = {"Normal", "Advance", "Detail"};
const char *const Commands[] = {"AddCmd", "ModifyCmd", "RemoveCmd", "MoveUpCmd", "MoveDownCmd"};

// Everything undo and redo must bring back.
struct WindowState
{
    ScheduleDocument document;
    QStringList rows[3];
    int selected[3] = {};
    QString buttons;
};

WindowState StateOf(const MainWindowFixture &fixture)
{
    WindowState state;
    state.document = fixture.document();
    for (int i = 0; i < 3; ++i) {
        const auto *list = fixture.child<ScheduleListView>(QString(Lists[i]) + "List");
        for (int row = 0; row < list->count(); ++row)
            state.rows[i].append(list->rowText(row));
        state.selected[i] = list->currentRow();
        for (const char *command : Commands)
            state.buttons += fixture.child<QPushButton>(Lists[i] + QString(command))->isEnabled()
                    ? '1'
                    : '0';
    }
    return state;
}

void CompareStates(const WindowState &actual, const WindowState &expected)
{
    QVERIFY(actual.document.SameContentAs(expected.document));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(actual.rows[i], expected.rows[i]);
        QCOMPARE(actual.selected[i], expected.selected[i]);
    }
    QCOMPARE(actual.buttons, expected.buttons);
}

// Answers whichever editor opens with a changed record.
ModalStep ChangeInEditor()
{
    return [](QWidget *editor) {
        if (auto *name = editor->findChild<QLineEdit *>("FileNameText")) {
            name->selectAll();
            QTest::keyClicks(name, "new.mp3");
        } else if (auto *weekDay = editor->findChild<QComboBox *>("WeekdayCombo")) {
            weekDay->setCurrentIndex(5);
            // The sample's times of day are equal, which the editor refuses.
            editor->findChild<QComboBox *>("StopHourCombo")->setCurrentIndex(23);
        }
        QTest::mouseClick(editor->findChild<QPushButton *>("OKCmd"), Qt::LeftButton);
    };
}

void LoadSample(MainWindowFixture &fixture, const QString &folder, const QString &name)
{
    QVERIFY(WriteScheduleFile(folder + name, SampleDocument(),
                              fixture.app.context.platform.random));
    QVERIFY(fixture.form->session().open(folder + name));
}

ScheduleDocument ReadBack(const QString &folder, const QString &name)
{
    ScheduleDocument document;
    ReadScheduleFile(folder + name, document);
    return document;
}

} // namespace

class HistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void undoRedo_data();
    void undoRedo();
    void menuNamesTheStep_data();
    void menuNamesTheStep();
    void unsavedWork_data();
    void unsavedWork();
    void undoneBackToSavedAsksNothing();
};

void HistoryTest::cleanup()
{
    QVERIFY(WaitForNoModal());
}

void HistoryTest::undoRedo_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("selected");
    for (const char *list : Lists) {
        for (const char *command : Commands) {
            // Move Down from the first row, the others from the second.
            QTest::addRow("%s %s", list, command)
                    << list << command << (QString(command) == "MoveDownCmd" ? 0 : 1);
        }
    }
}

void HistoryTest::undoRedo()
{
    QFETCH(QString, list);
    QFETCH(QString, command);
    QFETCH(int, selected);
    MainWindowFixture fixture;
    LoadSample(fixture, fixture.folder("docs"), "plan.nrv");
    // The details are those of the first schedule (two of them); the basic list has three.
    fixture.child<ScheduleListView>("AdvanceList")->setCurrentRow(0);
    fixture.child<ScheduleListView>(list + "List")->setCurrentRow(selected);
    QUndoStack *history = fixture.form->history();
    QVERIFY(history->isClean());
    const WindowState before = StateOf(fixture);
    QSignalSpy changes(&fixture.form->session().model(), &ScheduleModel::documentChanged);

    if (command == "AddCmd" || command == "ModifyCmd")
        AnswerInTurn({ChangeInEditor()});
    fixture.click(list + command);
    QVERIFY(WaitForNoModal());
    const WindowState after = StateOf(fixture);
    QVERIFY(!after.document.SameContentAs(before.document));
    QCOMPARE(history->count(), 1);
    QVERIFY(fixture.form->isWindowModified());
    QCOMPARE(changes.count(), 1);

    fixture.form->findChild<QAction *>("subUndo")->trigger();
    CompareStates(StateOf(fixture), before);
    QVERIFY(!fixture.form->isWindowModified());
    fixture.form->findChild<QAction *>("subRedo")->trigger();
    CompareStates(StateOf(fixture), after);
    QVERIFY(fixture.form->isWindowModified());
    fixture.form->findChild<QAction *>("subUndo")->trigger();
    CompareStates(StateOf(fixture), before);
    QCOMPARE(changes.count(), 4);
}

void HistoryTest::menuNamesTheStep_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("undo");
    QTest::addColumn<QString>("redo");
    QTest::newRow("Japanese") << int(Japanese) << QString::fromUtf8("編集(&E)")
                              << QString::fromUtf8("元に戻す(&U): 削除")
                              << QString::fromUtf8("やり直し(&R): 削除");
    QTest::newRow("English") << int(English) << "&Edit"
                             << "&Undo Remove"
                             << "&Redo Remove";
}

void HistoryTest::menuNamesTheStep()
{
    QFETCH(int, language);
    QFETCH(QString, menu);
    QFETCH(QString, undo);
    QFETCH(QString, redo);
    MainWindowFixture fixture {short(language)};
    LoadSample(fixture, fixture.folder("docs"), "plan.nrv");
    const CaptionTable &captions = fixture.app.context.text.captions;
    auto *undoAction = fixture.form->findChild<QAction *>("subUndo");
    auto *redoAction = fixture.form->findChild<QAction *>("subRedo");
    // After File, before View and Help, with the standard keys.
    QStringList menus;
    for (QAction *action : fixture.form->menuBar()->actions())
        menus.append(action->text());
    QCOMPARE(menus, QStringList({captions.fileMenu, menu, captions.viewMenu, captions.helpMenu}));
    QCOMPARE(undoAction->shortcut(), QKeySequence(QKeySequence::Undo));
    QCOMPARE(redoAction->shortcut(), QKeySequence(QKeySequence::Redo));
    QCOMPARE(undoAction->text(), captions.undoCommand);
    QVERIFY(!undoAction->isEnabled());
    QVERIFY(!redoAction->isEnabled());

    fixture.child<ScheduleListView>("AdvanceList")->setCurrentRow(0);
    fixture.click("AdvanceRemoveCmd");
    QCOMPARE(undoAction->text(), undo);
    QVERIFY(undoAction->isEnabled());
    QApplication::setActiveWindow(fixture.form.get());
    QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
    QTest::keySequence(fixture.form.get(), QKeySequence::Undo);
    QCOMPARE(fixture.document().advanceCount(), 2);
    QCOMPARE(redoAction->text(), redo);
    QCOMPARE(undoAction->text(), captions.undoCommand);
    QTest::keySequence(fixture.form.get(), QKeySequence::Redo);
    QCOMPARE(fixture.document().advanceCount(), 1);
}

void HistoryTest::unsavedWork_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("answer");
    for (const char *command : {"New", "Open", "Exit", "Close"})
        for (const char *answer : {"Save", "Discard", "Cancel", "Save refused"})
            QTest::addRow("%s, %s", command, answer) << command << answer;
}

void HistoryTest::unsavedWork()
{
    QFETCH(QString, command);
    QFETCH(QString, answer);
    MainWindowFixture fixture;
    const QString docs = fixture.folder("docs");
    ScheduleDocument other;
    other.basicEntries = {MakeEntry("OTHER", "MP3", 1, 1)};
    QVERIFY(WriteScheduleFile(docs + "other.nrv", other, fixture.app.context.platform.random));
    LoadSample(fixture, docs, "plan.nrv");

    // A change the pre-save check refuses leaves the second schedule without entries.
    if (answer == "Save refused") {
        fixture.child<ScheduleListView>("AdvanceList")->setCurrentRow(1);
        fixture.click("DetailRemoveCmd");
    } else {
        fixture.click("NormalRemoveCmd");
    }
    const ScheduleDocument changed = fixture.document();
    QVERIFY(fixture.form->isWindowModified());

    QString question;
    std::vector<ModalStep> steps;
    if (answer == "Discard")
        steps.push_back(PressInMessageBox(QMessageBox::Discard, &question));
    else if (answer == "Cancel")
        steps.push_back(PressInMessageBox(QMessageBox::Cancel, &question));
    else
        steps.push_back(PressInMessageBox(QMessageBox::Save, &question));
    if (answer == "Save refused")
        steps.push_back(PressInMessageBox(QMessageBox::Ok));
    const bool goesOn = answer == "Save" || answer == "Discard";
    if (goesOn && command == "Open")
        steps.push_back(TypeIntoFileDialog(docs + "other.nrv"));
    AnswerInTurn(steps);
    if (command == "New")
        fixture.click("NewCmd");
    else if (command == "Open")
        fixture.click("OpenCmd");
    else if (command == "Exit")
        fixture.click("ExitCmd");
    else
        fixture.form->windowHandle()->close(); // as the window's close box does
    QVERIFY(WaitForNoModal());

    // The question names the file the changes belong to.
    const MessageTable &messages = fixture.app.context.text.messages;
    QCOMPARE(question,
             messages.msgSaveChanges + u'\n' + messages.msgChangesOfFile.arg(docs + "plan.nrv"));
    QVERIFY(ReadBack(docs, "plan.nrv")
                    .SameContentAs(answer == "Save" ? changed : SampleDocument()));
    const bool closing = command == "Exit" || command == "Close";
    QCOMPARE(fixture.form->isVisible(), !(goesOn && closing));
    QCOMPARE(QFile::exists(fixture.appFolder + "SystemInfo.txt"), goesOn && closing);
    if (!goesOn) {
        QVERIFY(fixture.document().SameContentAs(changed));
        QVERIFY(fixture.form->isWindowModified());
        return;
    }
    QCOMPARE(fixture.form->isWindowModified(), closing && answer == "Discard");
    if (command == "New")
        QVERIFY(fixture.document().SameContentAs(ScheduleDocument()));
    else if (command == "Open")
        QVERIFY(fixture.document().SameContentAs(other));
}

void HistoryTest::undoneBackToSavedAsksNothing()
{
    MainWindowFixture fixture;
    LoadSample(fixture, fixture.folder("docs"), "plan.nrv");
    fixture.click("NormalRemoveCmd");
    fixture.form->findChild<QAction *>("subUndo")->trigger();
    QVERIFY(!fixture.form->isWindowModified());
    ModalWatch watch;
    fixture.click("NewCmd");
    QCOMPARE(watch.opened, 0);
    QCOMPARE(fixture.document().basicCount(), 0);
    QCOMPARE(fixture.form->history()->count(), 0);
}

QTEST_MAIN(HistoryTest)
#include "tst_history.moc"
