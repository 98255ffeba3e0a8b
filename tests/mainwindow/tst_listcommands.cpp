// The Add, Modify, Move Up, Move Down and Remove commands of the three lists and the Help menu,
// through the real buttons, editors, message boxes and file dialog.

#include "AboutCompanyForm.h"
#include "AboutNeravScheduleGeneratorForm.h"
#include "MainWindowFixture.h"
#include "PathParts.h"
#include "RowFormat.h"
#include "ScheduleFile.h"

#include <QAction>
#include <QComboBox>
#include <QSignalSpy>

using namespace nerav;
using namespace nerav::test;

namespace {

QStringList Rows(const ScheduleListView *list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows.append(list->rowText(i));
    return rows;
}

// Each record of the list under test is known by a number: the digits of an entry's name,
// or an advance schedule's start day less one.
ScheduleEntry Numbered(int number)
{
    return MakeEntry("E" + QByteArray::number(number), "MP3", number, 13);
}

AdvanceSchedule NumberedSchedule(int number)
{
    AdvanceSchedule schedule = Advance(number % 3 + 1);
    schedule.startDay = std::uint8_t(number + 1);
    for (std::size_t i = 0; i < schedule.details.size(); ++i)
        schedule.details[i] = MakeEntry(
                "S" + QByteArray::number(number) + "D" + QByteArray::number(i), "JPG", 1, 2);
    return schedule;
}

// A document whose list named by prefix holds count numbered records. Details are those of
// advance schedule 1; schedule 0 holds others that must stay untouched.
ScheduleDocument DocumentFor(const QString &prefix, int count)
{
    ScheduleDocument document;
    if (prefix == "Normal") {
        for (int i = 0; i < count; ++i)
            document.basicEntries.push_back(Numbered(i));
        document.advanceSchedules = {Advance(1)};
    } else if (prefix == "Advance") {
        document.basicEntries = {MakeEntry("SONG", "MP3", 1, 1)};
        for (int i = 0; i < count; ++i)
            document.advanceSchedules.push_back(NumberedSchedule(i));
    } else {
        document.advanceSchedules = {Advance(2), Advance(0)};
        for (int i = 0; i < count; ++i)
            document.advanceSchedules[1].details.push_back(Numbered(i));
    }
    return document;
}

ScheduleDocument Reordered(const ScheduleDocument &original, const QString &prefix,
                           const QList<int> &order)
{
    ScheduleDocument document = original;
    const auto pick = [&order](const auto &records) {
        std::remove_const_t<std::remove_reference_t<decltype(records)>> picked;
        for (int number : order)
            picked.push_back(records[std::size_t(number)]);
        return picked;
    };
    if (prefix == "Normal")
        document.basicEntries = pick(original.basicEntries);
    else if (prefix == "Advance")
        document.advanceSchedules = pick(original.advanceSchedules);
    else
        document.advanceSchedules[1].details = pick(original.advanceSchedules[1].details);
    return document;
}

struct ListFixture : MainWindowFixture
{
    // Loads the document and selects a row of the list under test.
    ListFixture(const QString &prefix, const ScheduleDocument &document, int selected)
        : prefix(prefix)
    {
        setDocument(document);
        if (prefix == "Detail")
            list("Advance")->setCurrentRow(1);
        list(prefix)->setCurrentRow(selected);
    }

    ScheduleListView *list(const QString &name) const
    {
        return child<ScheduleListView>(name + "List");
    }

    // Enabled states of Add, Modify, Remove, Move Up and Move Down as "1" and "0".
    QString buttonStates(const QString &name) const
    {
        QString states;
        for (const char *action : {"AddCmd", "ModifyCmd", "RemoveCmd", "MoveUpCmd", "MoveDownCmd"})
            states += child<QPushButton>(name + action)->isEnabled() ? '1' : '0';
        return states;
    }

    // DetailList as AdvanceList_Click builds it for the selected schedule.
    QStringList expectedDetailRows()
    {
        const int owner = list("Advance")->currentRow();
        QStringList rows;
        if (owner < 0)
            return rows;
        for (const ScheduleEntry &entry : document().advanceSchedules[std::size_t(owner)].details)
            rows.append(FormatEntryRow(entry, app.context.text.captions));
        return rows;
    }

    QString prefix;
};

// The rows of the list under test as the window formats them for document.
QStringList FormattedRows(const ScheduleDocument &document, const QString &prefix,
                          const CaptionTable &captions)
{
    QStringList rows;
    if (prefix == "Advance") {
        for (const AdvanceSchedule &schedule : document.advanceSchedules)
            rows.append(FormatAdvanceRow(schedule, captions));
        return rows;
    }
    for (const ScheduleEntry &entry :
         prefix == "Normal" ? document.basicEntries : document.advanceSchedules[1].details)
        rows.append(FormatEntryRow(entry, captions));
    return rows;
}

// Fills the entry editor's fields as a user does and presses OK.
ModalStep FillEntryEditor(const QString &name, int playTimes, int volume)
{
    return [=](QWidget *editor) {
        auto *nameText = editor->findChild<QLineEdit *>("FileNameText");
        auto *playTimesCombo = editor->findChild<QComboBox *>("PlayTimesCombo");
        auto *volumeCombo = editor->findChild<QComboBox *>("VolumeCombo");
        auto *ok = editor->findChild<QPushButton *>("OKCmd");
        if (editor->objectName() != "ScheduleEditForm" || !nameText || !playTimesCombo ||
            !volumeCombo || !ok) {
            QTest::qFail("expected the entry editor", __FILE__, __LINE__);
            editor->close();
            return;
        }
        nameText->selectAll();
        QTest::keyClicks(nameText, name);
        playTimesCombo->setCurrentIndex(playTimesCombo->findData(playTimes));
        volumeCombo->setCurrentIndex(volumeCombo->findData(volume));
        QTest::mouseClick(ok, Qt::LeftButton);
    };
}

ModalStep FillAdvanceEditor(QDateTime start, QDateTime stop, int weekDay)
{
    return [=](QWidget *editor) {
        const auto combo = [editor](const QString &name) {
            return editor->findChild<QComboBox *>(name);
        };
        const auto set = [&](const QString &prefix, QDateTime when) {
            // Year and month first: they rebuild the day list.
            combo(prefix + "YearCombo")->setCurrentIndex(when.date().year() - 2000);
            combo(prefix + "MonthCombo")->setCurrentIndex(when.date().month() - 1);
            combo(prefix + "DayCombo")->setCurrentIndex(when.date().day() - 1);
            combo(prefix + "HourCombo")->setCurrentIndex(when.time().hour());
            combo(prefix + "MinuteCombo")->setCurrentIndex(when.time().minute());
            combo(prefix + "SecondCombo")->setCurrentIndex(when.time().second());
        };
        if (editor->objectName() != "AdvanceScheduleEditForm") {
            QTest::qFail("expected the date/time editor", __FILE__, __LINE__);
            editor->close();
            return;
        }
        set("Start", start);
        set("Stop", stop);
        combo("WeekdayCombo")->setCurrentIndex(weekDay);
        QTest::mouseClick(editor->findChild<QPushButton *>("OKCmd"), Qt::LeftButton);
    };
}

ModalStep PressCancel(QString *openedName)
{
    return [=](QWidget *editor) {
        *openedName = editor->objectName();
        if (auto *cancel = editor->findChild<QPushButton *>("CancelCmd"))
            QTest::mouseClick(cancel, Qt::LeftButton);
        else
            editor->close();
    };
}

} // namespace

class ListCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void addLimit_data();
    void addLimit();
    void moves_data();
    void moves();
    void removes_data();
    void removes();
    void modifyCancelledChangesNothing_data();
    void modifyCancelledChangesNothing();
    void helpMenuOpensAboutDialog_data();
    void helpMenuOpensAboutDialog();
    void buildReorderSaveAndReadBack();
};

void ListCommandsTest::cleanup()
{
    QVERIFY(WaitForNoModal());
    QVERIFY2(VisibleTopLevelWindows().isEmpty(), qPrintable(VisibleTopLevelWindows().join(", ")));
}

void ListCommandsTest::addLimit_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("ownerRow");
    QTest::addColumn<bool>("opens");
    QTest::newRow("basic 249") << "Normal" << 249 << 0 << true;
    QTest::newRow("basic 250") << "Normal" << 250 << 0 << false;
    QTest::newRow("advance 249") << "Advance" << 249 << 0 << true;
    QTest::newRow("advance 250") << "Advance" << 250 << 0 << false;
    QTest::newRow("detail 99") << "Detail" << 99 << 1 << true;
    QTest::newRow("detail 100") << "Detail" << 100 << 1 << false;
    QTest::newRow("detail 100 elsewhere") << "Detail" << 100 << 0 << true;
}

void ListCommandsTest::addLimit()
{
    QFETCH(QString, prefix);
    QFETCH(int, count);
    QFETCH(int, ownerRow);
    QFETCH(bool, opens);
    const ScheduleDocument original = DocumentFor(prefix, count);
    ListFixture fixture(prefix, original, 0);
    fixture.list("Advance")->setCurrentRow(ownerRow);
    const QStringList rowsBefore = Rows(fixture.list(prefix));

    QString opened, title, text;
    OnNextModal([&](QWidget *widget) {
        title = widget->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(widget)) {
            opened = QStringLiteral("message");
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        } else {
            PressCancel (&opened)(widget);
        }
    });
    fixture.click(prefix + "AddCmd");
    QVERIFY(WaitForNoModal());

    if (opens) {
        QCOMPARE(opened,
                 prefix == "Advance" ? QString("AdvanceScheduleEditForm")
                                     : QString("ScheduleEditForm"));
    } else {
        QCOMPARE(opened, QStringLiteral("message"));
        QCOMPARE(title, QStringLiteral("メッセージ"));
        const MessageTable &messages = fixture.app.context.text.messages;
        QCOMPARE(text,
                 prefix == "Normal"            ? messages.msgTooManyBasic
                         : prefix == "Advance" ? messages.msgTooManyAdvance
                                               : messages.msgTooManyDetails);
    }
    QVERIFY(fixture.document().SameContentAs(original));
    QCOMPARE(Rows(fixture.list(prefix)), rowsBefore);
}

void ListCommandsTest::moves_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<int>("selectedAfter");
    for (const QString prefix : {"Normal", "Advance", "Detail"}) {
        const auto row = [&](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(prefix + ": " + name)) << prefix;
        };
        row("up in the middle") << 3 << "MoveUpCmd" << QList<int> {0, 1, 3, 2, 4} << 2;
        row("down in the middle") << 1 << "MoveDownCmd" << QList<int> {0, 2, 1, 3, 4} << 2;
        row("down from the top") << 0 << "MoveDownCmd" << QList<int> {1, 0, 2, 3, 4} << 1;
        row("up from the bottom") << 4 << "MoveUpCmd" << QList<int> {0, 1, 2, 4, 3} << 3;
        row("up at the top") << 0 << "MoveUpCmd" << QList<int> {0, 1, 2, 3, 4} << 0;
        row("down at the bottom") << 4 << "MoveDownCmd" << QList<int> {0, 1, 2, 3, 4} << 4;
    }
    QTest::newRow("Normal: no selection")
            << "Normal" << -1 << "MoveDownCmd" << QList<int> {0, 1, 2, 3, 4} << -1;
}

void ListCommandsTest::moves()
{
    QFETCH(QString, prefix);
    QFETCH(int, selected);
    QFETCH(QString, command);
    QFETCH(QList<int>, order);
    QFETCH(int, selectedAfter);
    const ScheduleDocument original = DocumentFor(prefix, 5);
    ListFixture fixture(prefix, original, selected);
    const QString buttonsBefore = fixture.buttonStates(prefix);
    QSignalSpy detailRebuilds(fixture.list("Detail")->model(), &QAbstractItemModel::modelReset);

    fixture.click(prefix + command);

    const ScheduleDocument expected = Reordered(original, prefix, order);
    QVERIFY(fixture.document().SameContentAs(expected));
    QCOMPARE(Rows(fixture.list(prefix)),
             FormattedRows(expected, prefix, fixture.app.context.text.captions));
    QCOMPARE(fixture.list(prefix)->currentRow(), selectedAfter);
    QCOMPARE(fixture.buttonStates(prefix), buttonsBefore);
    // A moved advance schedule keeps its details on show: they are not built again.
    QCOMPARE(detailRebuilds.count(), 0);
    if (prefix == "Advance") {
        QCOMPARE(Rows(fixture.list("Detail")), fixture.expectedDetailRows());
        QCOMPARE(fixture.list("Detail")->currentRow(), 0);
    }
}

void ListCommandsTest::removes_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<QString>("buttons");
    for (const QString prefix : {"Normal", "Advance", "Detail"}) {
        const auto row = [&](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(prefix + ": " + name)) << prefix;
        };
        row("middle") << 3 << 1 << QList<int> {0, 2} << 1 << "11111";
        row("last") << 3 << 2 << QList<int> {0, 1} << 1 << "11111";
        row("first of two") << 2 << 0 << QList<int> {1} << 0 << "11100";
        row("only row") << 1 << 0 << QList<int> {} << -1 << "10000";
        row("no selection") << 3 << -1 << QList<int> {0, 1, 2} << -1 << "11111";
    }
}

void ListCommandsTest::removes()
{
    QFETCH(QString, prefix);
    QFETCH(int, count);
    QFETCH(int, selected);
    QFETCH(QList<int>, order);
    QFETCH(int, selectedAfter);
    QFETCH(QString, buttons);
    const ScheduleDocument original = DocumentFor(prefix, count);
    ListFixture fixture(prefix, original, selected);
    QSignalSpy detailRebuilds(fixture.list("Detail")->model(), &QAbstractItemModel::modelReset);

    fixture.click(prefix + "RemoveCmd");

    const ScheduleDocument expected = Reordered(original, prefix, order);
    QVERIFY(fixture.document().SameContentAs(expected));
    QCOMPARE(Rows(fixture.list(prefix)),
             FormattedRows(expected, prefix, fixture.app.context.text.captions));
    QCOMPARE(fixture.list(prefix)->currentRow(), selectedAfter);
    if (selectedAfter >= 0)
        QVERIFY(fixture.list(prefix)->selectionModel()->isRowSelected(selectedAfter));
    QCOMPARE(fixture.buttonStates(prefix), buttons);

    const bool removed = selected >= 0;
    if (prefix == "Advance") {
        // The details follow the schedule now selected, or go when none is left.
        QCOMPARE(detailRebuilds.count(), removed ? 1 : 0);
        if (removed)
            QCOMPARE(Rows(fixture.list("Detail")), fixture.expectedDetailRows());
        if (order.isEmpty())
            QCOMPARE(fixture.buttonStates("Detail"), QStringLiteral("00000"));
    } else {
        QCOMPARE(detailRebuilds.count(), 0);
    }
    if (prefix == "Detail") {
        // Another schedule and back: the shortened list comes from the document.
        fixture.list("Advance")->setCurrentRow(0);
        fixture.list("Advance")->setCurrentRow(1);
        QCOMPARE(fixture.list("Detail")->count(), order.size());
    }
}

void ListCommandsTest::modifyCancelledChangesNothing_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("editor");
    QTest::newRow("basic") << "Normal"
                           << "ScheduleEditForm";
    QTest::newRow("advance") << "Advance"
                             << "AdvanceScheduleEditForm";
    QTest::newRow("detail") << "Detail"
                            << "ScheduleEditForm";
}

void ListCommandsTest::modifyCancelledChangesNothing()
{
    QFETCH(QString, prefix);
    QFETCH(QString, editor);
    const ScheduleDocument original = DocumentFor(prefix, 3);
    ListFixture fixture(prefix, original, 1);
    const QStringList rowsBefore = Rows(fixture.list(prefix));

    QString opened;
    AnswerInTurn({PressCancel(&opened)});
    fixture.click(prefix + "ModifyCmd");
    QVERIFY(WaitForNoModal());

    QCOMPARE(opened, editor);
    QVERIFY(fixture.document().SameContentAs(original));
    QCOMPARE(Rows(fixture.list(prefix)), rowsBefore);
    QCOMPARE(fixture.list(prefix)->currentRow(), 1);
}

void ListCommandsTest::helpMenuOpensAboutDialog_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("dialogClass");
    QTest::newRow("program") << "subAboutNeravScheduleGenerator"
                             << AboutNeravScheduleGeneratorForm::staticMetaObject.className();
    QTest::newRow("company") << "subAboutCompany" << AboutCompanyForm::staticMetaObject.className();
}

void ListCommandsTest::helpMenuOpensAboutDialog()
{
    QFETCH(QString, item);
    QFETCH(QString, dialogClass);
    MainWindowFixture fixture;
    QString opened;
    bool modal = false;
    OnNextModal([&](QWidget *widget) {
        opened = widget->metaObject()->className();
        modal = widget->isModal() && widget->parentWidget() == fixture.form.get();
        if (auto *ok = widget->findChild<QPushButton *>("OKCmd"))
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            widget->close();
    });
    fixture.form->findChild<QAction *>(item)->trigger();
    QVERIFY(WaitForNoModal());
    QCOMPARE(opened, dialogClass);
    QVERIFY(modal);
}

// A new user's session: basic entries, two advance schedules with their entries, some
// reordering, a change and removals, all through the window; the saved file holds what was built.
void ListCommandsTest::buildReorderSaveAndReadBack()
{
    MainWindowFixture fixture;
    const QString docs = fixture.folder("docs");
    fixture.app.context.settings.setSaveFolder(docs);
    ScheduleListView *normalList = fixture.child<ScheduleListView>("NormalList");
    ScheduleListView *advanceList = fixture.child<ScheduleListView>("AdvanceList");
    ScheduleListView *detailList = fixture.child<ScheduleListView>("DetailList");
    const auto press = [&](const QString &button, ModalStep step) {
        AnswerInTurn({step});
        fixture.click(button);
        QVERIFY(WaitForNoModal());
    };
    const auto selectRow = [](ScheduleListView *list, int row) {
        const QRect rect = list->rowRect(row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(list->currentRow(), row);
    };

    press("NormalAddCmd", FillEntryEditor("song.mp3", 10, 5));
    press("NormalAddCmd", FillEntryEditor("photo.jpg", 1, DefaultVolume));
    press("NormalAddCmd", FillEntryEditor("movie.mpg", 2, 0));
    press("NormalAddCmd", FillEntryEditor("intro.avi", 100, 12));
    press("AdvanceAddCmd",
          FillAdvanceEditor({{2007, 2, 1}, {8, 0, 0}}, {{2007, 3, 31}, {18, 30, 15}}, 1));
    press("DetailAddCmd", FillEntryEditor("a1.jpg", 3, 4));
    press("DetailAddCmd", FillEntryEditor("a2.dat", 0, 6));
    press("DetailAddCmd", FillEntryEditor("a3.vob", 7, DefaultVolume));
    press("AdvanceAddCmd",
          FillAdvanceEditor({{2008, 2, 29}, {0, 0, 0}}, {{2009, 1, 1}, {23, 59, 59}}, 7));
    QCOMPARE(detailList->count(), 0);
    press("DetailAddCmd", FillEntryEditor("b1.mp3", 5, 8));
    press("DetailAddCmd", FillEntryEditor("b2.avi", 9, 9));
    QCOMPARE(normalList->count(), 4);
    QCOMPARE(advanceList->count(), 2);
    QCOMPARE(detailList->count(), 2);

    // Basic: intro to the top, photo out, movie played more often.
    selectRow(normalList, 3);
    for (int i = 0; i < 3; ++i)
        fixture.click("NormalMoveUpCmd");
    selectRow(normalList, 2);
    fixture.click("NormalRemoveCmd");
    selectRow(normalList, 2);
    press("NormalModifyCmd", FillEntryEditor("movie.mpg", 20, 0));
    // Advance: the February schedule second, its third entry first, its first entry out.
    selectRow(advanceList, 0);
    fixture.click("AdvanceMoveDownCmd");
    QCOMPARE(advanceList->currentRow(), 1);
    QCOMPARE(detailList->count(), 3);
    selectRow(detailList, 2);
    fixture.click("DetailMoveUpCmd");
    fixture.click("DetailMoveUpCmd");
    selectRow(detailList, 1);
    fixture.click("DetailRemoveCmd");
    QCOMPARE(detailList->count(), 2);

    AnswerInTurn({TypeIntoFileDialog("built")});
    fixture.click("SaveAsCmd");
    QVERIFY(WaitForNoModal());

    ScheduleDocument expected;
    expected.basicEntries = {MakeEntry("INTRO", "AVI", 100, 12), MakeEntry("SONG", "MP3", 10, 5),
                             MakeEntry("MOVIE", "MPG", 20, 0)};
    AdvanceSchedule leap;
    leap.startYear = 8;
    leap.startMonth = 2;
    leap.startDay = 29;
    leap.stopYear = 9;
    leap.stopMonth = 1;
    leap.stopDay = 1;
    leap.stopHour = 23;
    leap.stopMinute = 59;
    leap.stopSecond = 59;
    leap.weekDay = EveryDay;
    leap.details = {MakeEntry("B1", "MP3", 5, 8), MakeEntry("B2", "AVI", 9, 9)};
    AdvanceSchedule february;
    february.startYear = 7;
    february.startMonth = 2;
    february.startDay = 1;
    february.startHour = 8;
    february.stopYear = 7;
    february.stopMonth = 3;
    february.stopDay = 31;
    february.stopHour = 18;
    february.stopMinute = 30;
    february.stopSecond = 15;
    february.weekDay = 1;
    february.details = {MakeEntry("A3", "VOB", 7, DefaultVolume), MakeEntry("A2", "DAT", 0, 6)};
    expected.advanceSchedules = {leap, february};

    QVERIFY(fixture.document().SameContentAs(expected));
    ScheduleDocument readBack;
    const ScheduleFileResult read = ReadScheduleFile(docs + "built.nrv", readBack);
    QVERIFY2(read.ok, qPrintable(read.reason));
    QCOMPARE(readBack.basicCount(), expected.basicCount());
    for (std::size_t i = 0; i < expected.basicEntries.size(); ++i)
        QVERIFY2(readBack.basicEntries[i] == expected.basicEntries[i],
                 qPrintable(QString::number(i)));
    QCOMPARE(readBack.advanceCount(), expected.advanceCount());
    for (std::size_t i = 0; i < expected.advanceSchedules.size(); ++i) {
        const AdvanceSchedule &got = readBack.advanceSchedules[i];
        const AdvanceSchedule &want = expected.advanceSchedules[i];
        QVERIFY(got == want);
        QCOMPARE(got.detailCount(), want.detailCount());
        for (std::size_t j = 0; j < want.details.size(); ++j)
            QVERIFY(got.details[j] == want.details[j]);
    }
    QCOMPARE(FileNamePart(fixture.app.context.settings.lastFile()), QStringLiteral("built.nrv"));
}

QTEST_MAIN(ListCommandsTest)
#include "tst_listcommands.moc"
