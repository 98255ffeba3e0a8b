// The keyboard in the main window through the real widgets: keys and double clicks on the rows
// of the three lists, Enter on a focused button, the File menu's shortcuts and access keys.

#include "MainWindowFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QUndoStack>

using namespace nerav;
using namespace nerav::test;

namespace {

// Records the class of each modal window that opens while it lives, and closes it.
class ModalNames
{
public:
    ModalNames()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                names.append(QString::fromLatin1(modal->metaObject()->className()));
                if (auto *name = modal->findChild<QLineEdit *>(QStringLiteral("FileNameText")))
                    fileNames.append(name->text());
                modal->close();
            }
        });
        m_timer.start();
    }

    QStringList names;
    // The file name an entry editor showed: empty when it opened to add.
    QStringList fileNames;

private:
    QTimer m_timer;
};

struct KeyFixture : MainWindowFixture
{
    KeyFixture()
    {
        setDocument(SampleDocument());
        QApplication::setActiveWindow(form.get());
    }
};

const QString Sample = QStringLiteral("SONG PHOTO MOVIE|3:CLIP0,CLIP1 7:CLIP0");

} // namespace

class ListKeysTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void keyRunsCommand_data();
    void keyRunsCommand();
    void doubleClickModifies_data();
    void doubleClickModifies();
    void keysFollowTheButtonRule();
    void onlyTheFocusedListShowsAFullSelection();
    void enterPressesFocusedButton();
    void menuShortcuts_data();
    void menuShortcuts();
    void menuItemsHaveDistinctAccessKeys_data();
    void menuItemsHaveDistinctAccessKeys();
    void accessKeysOpenMenus_data();
    void accessKeysOpenMenus();
};

void ListKeysTest::cleanup()
{
    QVERIFY(WaitForNoModal());
    QVERIFY2(VisibleTopLevelWindows().isEmpty(), qPrintable(VisibleTopLevelWindows().join(", ")));
}

void ListKeysTest::keyRunsCommand_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("state");

    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const QString entryEditor = QStringLiteral("nerav::ScheduleEditForm");
    const QString advanceEditor = QStringLiteral("nerav::AdvanceScheduleEditForm");
    QTest::newRow("basic Return modifies")
            << "NormalList" << 1 << int(Qt::Key_Return) << none << entryEditor << Sample;
    QTest::newRow("basic keypad Enter modifies")
            << "NormalList" << 1 << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << entryEditor
            << Sample;
    QTest::newRow("basic Delete removes") << "NormalList" << 1 << int(Qt::Key_Delete) << none
                                          << QString() << "SONG MOVIE|3:CLIP0,CLIP1 7:CLIP0";
    QTest::newRow("basic Ctrl+Up moves up")
            << "NormalList" << 1 << int(Qt::Key_Up) << ctrl << QString()
            << "PHOTO SONG MOVIE|3:CLIP0,CLIP1 7:CLIP0";
    QTest::newRow("basic Ctrl+Down moves down")
            << "NormalList" << 1 << int(Qt::Key_Down) << ctrl << QString()
            << "SONG MOVIE PHOTO|3:CLIP0,CLIP1 7:CLIP0";
    QTest::newRow("basic Ctrl+Up on the first row")
            << "NormalList" << 0 << int(Qt::Key_Up) << ctrl << QString() << Sample;
    QTest::newRow("basic Up alone only moves the cursor")
            << "NormalList" << 1 << int(Qt::Key_Up) << none << QString() << Sample;
    QTest::newRow("advance Return modifies")
            << "AdvanceList" << 0 << int(Qt::Key_Return) << none << advanceEditor << Sample;
    QTest::newRow("advance Delete removes with details")
            << "AdvanceList" << 0 << int(Qt::Key_Delete) << none << QString()
            << "SONG PHOTO MOVIE|7:CLIP0";
    QTest::newRow("advance Ctrl+Down moves with details")
            << "AdvanceList" << 0 << int(Qt::Key_Down) << ctrl << QString()
            << "SONG PHOTO MOVIE|7:CLIP0 3:CLIP0,CLIP1";
    QTest::newRow("detail Return modifies")
            << "DetailList" << 1 << int(Qt::Key_Return) << none << entryEditor << Sample;
    QTest::newRow("detail Delete removes") << "DetailList" << 1 << int(Qt::Key_Delete) << none
                                           << QString() << "SONG PHOTO MOVIE|3:CLIP0 7:CLIP0";
    QTest::newRow("detail Ctrl+Up moves up")
            << "DetailList" << 1 << int(Qt::Key_Up) << ctrl << QString()
            << "SONG PHOTO MOVIE|3:CLIP1,CLIP0 7:CLIP0";
}

void ListKeysTest::keyRunsCommand()
{
    QFETCH(QString, list);
    QFETCH(int, row);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, opened);
    QFETCH(QString, state);

    KeyFixture fixture;
    auto *widget = fixture.child<ScheduleListView>(list);
    widget->setCurrentRow(row);
    ModalNames modals;
    QTest::keyClick(widget, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(modals.names, opened.isEmpty() ? QStringList() : QStringList {opened});
    QCOMPARE(State(fixture.document()), state);
}

void ListKeysTest::doubleClickModifies_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("opened");
    QTest::newRow("basic") << "NormalList"
                           << "nerav::ScheduleEditForm";
    QTest::newRow("advance") << "AdvanceList"
                             << "nerav::AdvanceScheduleEditForm";
    QTest::newRow("detail") << "DetailList"
                            << "nerav::ScheduleEditForm";
}

void ListKeysTest::doubleClickModifies()
{
    QFETCH(QString, list);
    QFETCH(QString, opened);
    KeyFixture fixture;
    auto *widget = fixture.child<ScheduleListView>(list);
    const QPoint second = widget->rowRect(widget->count() > 1 ? 1 : 0).center();
    ModalNames modals;
    // A double click follows a click, as from a real mouse.
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(modals.names, QStringList {opened});
    // An entry editor opened on the clicked row, not on a new entry.
    for (const QString &name : modals.fileNames)
        QVERIFY(!name.isEmpty());
}

// With one row Move Up and Move Down are disabled, with none Modify and Remove: keys do nothing.
void ListKeysTest::keysFollowTheButtonRule()
{
    MainWindowFixture fixture;
    ScheduleDocument document;
    document.basicEntries = {MakeEntry("ONE", "MP3", 1, 1)};
    fixture.setDocument(document);
    ModalNames modals;
    auto *normal = fixture.child<ScheduleListView>("NormalList");
    QTest::keyClick(normal, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(normal, Qt::Key_Up, Qt::ControlModifier);
    auto *detail = fixture.child<ScheduleListView>("DetailList");
    QTest::keyClick(detail, Qt::Key_Return);
    QTest::keyClick(detail, Qt::Key_Delete);
    QCOMPARE(modals.names, QStringList());
    QCOMPARE(document.basicCount(), 1);
}

// Delete acts on the focused list: that one shows its selected row unlike the other two.
void ListKeysTest::onlyTheFocusedListShowsAFullSelection()
{
    KeyFixture fixture;
    QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
    const QStringList names = {"NormalList", "AdvanceList", "DetailList"};
    // The colour of each list's selected row, at its right end, away from the text.
    const auto selectionColours = [&] {
        QList<QRgb> colours;
        for (const QString &name : names) {
            auto *list = fixture.child<ScheduleListView>(name);
            list->setCurrentRow(0);
            const QRect row = list->rowRect(0);
            colours.append(
                    list->viewport()->grab().toImage().pixel(row.right() - 2, row.center().y()));
        }
        return colours;
    };
    QList<QRgb> before;
    for (const QString &focused : names) {
        fixture.child<ScheduleListView>(focused)->setFocus();
        QTRY_VERIFY(fixture.child<ScheduleListView>(focused)->hasFocus());
        const QList<QRgb> colours = selectionColours();
        const QRgb full = colours.at(names.indexOf(focused));
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QRgb other = colours.at(i);
            // Plainly different to the eye, not a shade apart.
            const int difference = qAbs(qRed(other) - qRed(full)) +
                    qAbs(qGreen(other) - qGreen(full)) + qAbs(qBlue(other) - qBlue(full));
            if (names.at(i) != focused)
                QVERIFY2(difference >= 60, qPrintable(focused + " / " + names.at(i)));
        }
        // The same two looks wherever the focus is.
        if (!before.isEmpty())
            QCOMPARE(QSet<QRgb>(colours.begin(), colours.end()),
                     QSet<QRgb>(before.begin(), before.end()));
        before = colours;
    }
}

void ListKeysTest::enterPressesFocusedButton()
{
    KeyFixture fixture;
    auto *add = fixture.child<QPushButton>("AdvanceAddCmd");
    add->setFocus();
    QVERIFY(QTest::qWaitFor([add] { return add->hasFocus(); }));
    ModalNames modals;
    QTest::keyClick(add, Qt::Key_Return);
    QCOMPARE(modals.names, QStringList {"nerav::AdvanceScheduleEditForm"});
}

void ListKeysTest::menuShortcuts_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("standardKey");
    QTest::addColumn<QString>("common"); // where the desktop has no standard key
    QTest::addColumn<QString>("extra"); // added where the desktop's keys lack it
    const int none = int(QKeySequence::UnknownKey);
    QTest::newRow("New") << "subNew" << int(QKeySequence::New) << "Ctrl+N" << QString();
    QTest::newRow("Open") << "subOpen" << int(QKeySequence::Open) << "Ctrl+O" << QString();
    QTest::newRow("Save") << "subSave" << int(QKeySequence::Save) << "Ctrl+S" << QString();
    QTest::newRow("Save As") << "subSaveAs" << int(QKeySequence::SaveAs) << "Ctrl+Shift+S"
                             << QString();
    QTest::newRow("Publish") << "subPublish" << none << "Ctrl+Shift+P" << QString();
    QTest::newRow("Exit") << "subExit" << int(QKeySequence::Quit) << "Ctrl+Q" << QString();
    QTest::newRow("Undo") << "subUndo" << int(QKeySequence::Undo) << "Ctrl+Z" << QString();
    QTest::newRow("Redo") << "subRedo" << int(QKeySequence::Redo) << "Ctrl+Shift+Z"
                          << "Ctrl+Y";
}

// Each shortcut is the desktop's own, and typing any of them runs the item.
void ListKeysTest::menuShortcuts()
{
    QFETCH(QString, action);
    QFETCH(int, standardKey);
    QFETCH(QString, common);
    QFETCH(QString, extra);
    KeyFixture fixture;
    auto *item = fixture.form->findChild<QAction *>(action);
    QList<QKeySequence> expected =
            QKeySequence::keyBindings(QKeySequence::StandardKey(standardKey));
    if (expected.isEmpty())
        expected = {QKeySequence(common)};
    if (!extra.isEmpty() && !expected.contains(QKeySequence(extra)))
        expected.append(QKeySequence(extra));
    QCOMPARE(item->shortcuts(), expected);

    QUndoStack *history = fixture.form->history();
    QSignalSpy triggered(item, &QAction::triggered);
    ModalNames modals;
    for (const QKeySequence &keys : expected) {
        // A step to undo, and one undone to redo.
        history->push(new QUndoCommand(QStringLiteral("a change")));
        history->push(new QUndoCommand(QStringLiteral("another change")));
        history->undo();
        const QKeyCombination key = keys[0];
        QTest::keyClick(fixture.form.get(), key.key(), key.keyboardModifiers());
    }
    QCOMPARE(triggered.count(), expected.size());
}

void ListKeysTest::menuItemsHaveDistinctAccessKeys_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("menu");
    for (const auto &[language, name] : {std::pair {Japanese, "Japanese"}, {English, "English"}}) {
        for (const char *menu : {"subFile", "subEdit", "subView", "subHelp"})
            QTest::addRow("%s %s", name, menu) << int(language) << QString::fromLatin1(menu);
    }
}

// Every item of a menu has an access key of its own, also while Undo and Redo name a step.
void ListKeysTest::menuItemsHaveDistinctAccessKeys()
{
    QFETCH(int, language);
    QFETCH(QString, menu);
    MainWindowFixture fixture(static_cast<short>(language));
    fixture.form->session().model().resetDocument(SampleDocument());
    fixture.child<ScheduleListView>("NormalList")->setCurrentRow(0);
    fixture.form->listEditing().run(ScheduleList::Basic, StepKind::MoveDown);
    fixture.form->listEditing().run(ScheduleList::Basic, StepKind::MoveDown);
    fixture.form->history()->undo();
    QMap<QKeySequence, QString> taken;
    for (QAction *item : fixture.child<QMenu>(menu)->actions()) {
        if (item->isSeparator())
            continue;
        const QKeySequence key = QKeySequence::mnemonic(item->text());
        QVERIFY2(!key.isEmpty(), qPrintable(item->text()));
        QVERIFY2(!taken.contains(key), qPrintable(taken.value(key) + " / " + item->text()));
        taken.insert(key, item->text());
    }
}

void ListKeysTest::accessKeysOpenMenus_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("menu");
    QTest::newRow("Japanese Alt+F") << int(Japanese) << int(Qt::Key_F) << "subFile";
    QTest::newRow("Japanese Alt+H") << int(Japanese) << int(Qt::Key_H) << "subHelp";
    QTest::newRow("English Alt+F") << int(English) << int(Qt::Key_F) << "subFile";
    QTest::newRow("English Alt+H") << int(English) << int(Qt::Key_H) << "subHelp";
}

void ListKeysTest::accessKeysOpenMenus()
{
    QFETCH(int, language);
    QFETCH(int, key);
    QFETCH(QString, menu);
    MainWindowFixture fixture(static_cast<short>(language));
    QApplication::setActiveWindow(fixture.form.get());
    auto *opened = fixture.child<QMenu>(menu);
    QTest::keyClick(fixture.form.get(), Qt::Key(key), Qt::AltModifier);
    QTRY_VERIFY(opened->isVisible());
    opened->close();
}

QTEST_MAIN(ListKeysTest)
#include "tst_listkeys.moc"
