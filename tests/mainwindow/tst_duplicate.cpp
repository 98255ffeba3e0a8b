// Duplicate in each list, Duplicate to Other Days and its dialog, and the entry editor's title,
// through the real context menus, Edit menu, dialogs and message boxes.

#include "DuplicateDaysForm.h"
#include "MainWindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QUndoStack>

using namespace nerav;
using namespace nerav::test;

namespace {

// Schedule 0 holds two details, schedule 1 falls on Monday with three; the basic list has
// three entries.
ScheduleDocument Document(int basic = 3, int advance = 2, int details = 3)
{
    ScheduleDocument document;
    for (int i = 0; i < basic; ++i)
        document.basicEntries.push_back(MakeEntry("B" + QByteArray::number(i), "MP3", i + 1, 13));
    for (int i = 0; i < advance; ++i)
        document.advanceSchedules.push_back(Advance(i == 1 ? details : 2, i == 1 ? 1 : EveryDay));
    return document;
}

void Load(MainWindowFixture &fixture, const ScheduleDocument &document)
{
    fixture.setDocument(document);
    fixture.child<ScheduleListView>("AdvanceList")->setCurrentRow(1);
}

// Opens the list's context menu on row and picks the item named action from it.
void PickFromListMenu(MainWindowFixture &fixture, const QString &list, int row,
                      const QString &action)
{
    auto *widget = fixture.child<ScheduleListView>(list + "List");
    QTimer::singleShot(0, [action] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QAction *item = menu ? menu->findChild<QAction *>(action) : nullptr;
        if (!item || !item->isEnabled()) {
            QTest::qFail("expected the item in the list's menu", __FILE__, __LINE__);
            if (menu)
                menu->close();
            return;
        }
        menu->setActiveAction(item);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    emit widget->customContextMenuRequested(widget->rowRect(row).center());
}

// Ticks the days in the Duplicate to Other Days dialog and presses OK.
ModalStep TickDays(QList<int> days)
{
    return [days](QWidget *dialog) {
        for (int day : days) {
            auto *check = dialog->findChild<QCheckBox *>(QStringLiteral("DayCheck%1").arg(day));
            if (check->isEnabled())
                QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
        }
        QTest::mouseClick(dialog->findChild<QPushButton *>("OKCmd"), Qt::LeftButton);
    };
}

} // namespace

class DuplicateTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(WaitForNoModal()); }
    void duplicate_data();
    void duplicate();
    void limitRefuses_data();
    void limitRefuses();
    void editMenuActsOnFocusedList();
    void menuRunsListCommand();
    void toDays();
    void toDaysLimit();
    void dialogWidgets();
    void weekdaysButton_data();
    void weekdaysButton();
    void editorTitle();
};

void DuplicateTest::duplicate_data()
{
    QTest::addColumn<QString>("list");
    QTest::newRow("basic") << "Normal";
    QTest::newRow("advance") << "Advance";
    QTest::newRow("detail") << "Detail";
}

void DuplicateTest::duplicate()
{
    QFETCH(QString, list);
    MainWindowFixture fixture;
    Load(fixture, Document());
    const ScheduleDocument before = fixture.document();
    PickFromListMenu(fixture, list, 1, "menuDuplicate");
    QVERIFY(WaitForNoModal());

    ScheduleDocument expected = before;
    if (list == "Normal")
        expected.basicEntries.insert(expected.basicEntries.begin() + 2, before.basicEntries[1]);
    else if (list == "Advance")
        expected.advanceSchedules.insert(expected.advanceSchedules.begin() + 2,
                                         before.advanceSchedules[1]);
    else
        expected.advanceSchedules[1].details.insert(expected.advanceSchedules[1].details.begin() +
                                                            2,
                                                    before.advanceSchedules[1].details[1]);
    QVERIFY(fixture.document().SameContentAs(expected));
    QCOMPARE(fixture.child<ScheduleListView>(list + "List")->currentRow(), 2);
    QCOMPARE(fixture.child<ScheduleListView>("DetailList")->count(), list == "Detail" ? 4 : 3);
    QUndoStack *history = fixture.form->history();
    QCOMPARE(history->count(), 1);
    QCOMPARE(fixture.form->findChild<QAction *>("subUndo")->text(),
             QString::fromUtf8("元に戻す(&U): 複製"));
    fixture.form->findChild<QAction *>("subUndo")->trigger();
    QVERIFY(fixture.document().SameContentAs(before));
    QCOMPARE(fixture.child<ScheduleListView>(list + "List")->currentRow(), 1);
}

void DuplicateTest::limitRefuses_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("basic");
    QTest::addColumn<int>("advance");
    QTest::addColumn<int>("details");
    QTest::addColumn<QString>("message");
    const MessageTable messages = FakeApp(Japanese).context.text.messages;
    QTest::newRow("basic") << "Normal" << 250 << 2 << 3 << messages.msgTooManyBasic;
    QTest::newRow("advance") << "Advance" << 3 << 250 << 3 << messages.msgTooManyAdvance;
    QTest::newRow("detail") << "Detail" << 3 << 2 << 100 << messages.msgTooManyDetails;
}

void DuplicateTest::limitRefuses()
{
    QFETCH(QString, list);
    QFETCH(int, basic);
    QFETCH(int, advance);
    QFETCH(int, details);
    QFETCH(QString, message);
    MainWindowFixture fixture;
    Load(fixture, Document(basic, advance, details));
    const ScheduleDocument before = fixture.document();
    QString shown;
    AnswerInTurn({PressInMessageBox(QMessageBox::Ok, &shown)});
    PickFromListMenu(fixture, list, 1, "menuDuplicate");
    QVERIFY(WaitForNoModal());
    QCOMPARE(shown, message);
    QVERIFY(fixture.document().SameContentAs(before));
    QCOMPARE(fixture.form->history()->count(), 0);
}

void DuplicateTest::editMenuActsOnFocusedList()
{
    MainWindowFixture fixture;
    Load(fixture, Document());
    QApplication::setActiveWindow(fixture.form.get());
    auto *details = fixture.child<ScheduleListView>("DetailList");
    details->setFocus();
    QTRY_COMPARE(fixture.form->activeList(), ScheduleList::Detail);
    details->setCurrentRow(0);
    fixture.form->findChild<QAction *>("subDuplicate")->trigger();
    QCOMPARE(fixture.document().advanceSchedules[1].details.size(), std::size_t(4));
    QCOMPARE(fixture.document().basicEntries.size(), std::size_t(3));
}

void DuplicateTest::menuRunsListCommand()
{
    MainWindowFixture fixture;
    Load(fixture, Document());
    PickFromListMenu(fixture, "Normal", 2, "menuNormalRemoveCmd");
    QCOMPARE(fixture.document().basicEntries.size(), std::size_t(2));
    QCOMPARE(fixture.form->history()->count(), 1);
}

void DuplicateTest::toDays()
{
    MainWindowFixture fixture;
    ScheduleDocument document = Document();
    document.advanceSchedules.push_back(Advance(1, 6));
    Load(fixture, document);
    const ScheduleDocument before = fixture.document();
    // Monday to Friday from the Monday schedule in row 1.
    AnswerInTurn({TickDays({1, 2, 3, 4, 5})});
    PickFromListMenu(fixture, "Advance", 1, "menuDuplicateToDays");
    QVERIFY(WaitForNoModal());

    const auto &schedules = fixture.document().advanceSchedules;
    QCOMPARE(schedules.size(), std::size_t(7));
    for (int day = 2; day <= 5; ++day) {
        AdvanceSchedule expected = before.advanceSchedules[1];
        expected.weekDay = std::uint8_t(day);
        QVERIFY(schedules[std::size_t(day)] == expected);
    }
    QVERIFY(schedules[1] == before.advanceSchedules[1]);
    QVERIFY(schedules[6] == before.advanceSchedules[2]);
    QCOMPARE(fixture.child<ScheduleListView>("AdvanceList")->count(), 7);
    QCOMPARE(fixture.form->history()->count(), 1);
    QCOMPARE(fixture.form->findChild<QAction *>("subUndo")->text(),
             QString::fromUtf8("元に戻す(&U): 他の曜日へ複製"));
    fixture.form->findChild<QAction *>("subUndo")->trigger();
    QVERIFY(fixture.document().SameContentAs(before));
    QCOMPARE(fixture.child<ScheduleListView>("AdvanceList")->count(), 3);
    QCOMPARE(fixture.child<ScheduleListView>("AdvanceList")->currentRow(), 1);
}

void DuplicateTest::toDaysLimit()
{
    MainWindowFixture fixture;
    Load(fixture, Document(3, 248));
    const ScheduleDocument before = fixture.document();
    QString shown;
    AnswerInTurn({TickDays({2, 3, 4}), PressInMessageBox(QMessageBox::Ok, &shown)});
    fixture.form->findChild<QAction *>("subDuplicateToDays")->trigger();
    QVERIFY(WaitForNoModal());
    QCOMPARE(shown, fixture.app.context.text.messages.msgTooManyCopies.arg(3).arg(251));
    QVERIFY(shown.contains("250"));
    QVERIFY(fixture.document().SameContentAs(before));
    QCOMPARE(fixture.form->history()->count(), 0);
}

void DuplicateTest::dialogWidgets()
{
    FakeApp app(English);
    DuplicateDaysForm dialog(app.context, 1);
    dialog.show();
    auto *ok = dialog.findChild<QPushButton *>("OKCmd");
    auto *monday = dialog.findChild<QCheckBox *>("DayCheck1");
    auto *sunday = dialog.findChild<QCheckBox *>("DayCheck0");
    QCOMPARE(dialog.windowTitle(), QString("Duplicate to Other Days"));
    QCOMPARE(sunday->text(), QString("Sunday"));
    QVERIFY(monday->isChecked());
    QVERIFY(!monday->isEnabled());
    QVERIFY(!ok->isEnabled());
    sunday->setFocus();
    QTest::keyClick(sunday, Qt::Key_Space);
    QVERIFY(ok->isEnabled());
    QCOMPARE(dialog.days(), std::vector<int>({0}));
    QTest::keyClick(sunday, Qt::Key_Space);
    QVERIFY(!ok->isEnabled());
}

void DuplicateTest::weekdaysButton_data()
{
    QTest::addColumn<int>("ownWeekDay");
    QTest::addColumn<QList<int>>("tickedFirst");
    QTest::addColumn<QList<int>>("days"); // the copies after the button
    QTest::newRow("from Wednesday") << 3 << QList<int>() << QList<int>({1, 2, 4, 5});
    QTest::newRow("from Sunday") << 0 << QList<int>() << QList<int>({1, 2, 3, 4, 5});
    QTest::newRow("Saturday already ticked") << 1 << QList<int>({6}) << QList<int>({2, 3, 4, 5, 6});
    QTest::newRow("every day") << int(EveryDay) << QList<int>() << QList<int>({1, 2, 3, 4, 5});
}

// One click ticks Monday to Friday; the weekend stays as it was.
void DuplicateTest::weekdaysButton()
{
    QFETCH(int, ownWeekDay);
    QFETCH(QList<int>, tickedFirst);
    QFETCH(QList<int>, days);
    FakeApp app(English);
    DuplicateDaysForm dialog(app.context, ownWeekDay);
    dialog.show();
    for (int day : tickedFirst)
        dialog.findChild<QCheckBox *>(QStringLiteral("DayCheck%1").arg(day))->setChecked(true);
    auto *weekdays = dialog.findChild<QPushButton *>("WeekdaysCmd");
    QCOMPARE(weekdays->text(), QString::fromUtf8("Weekdays (Mon–Fri)"));

    QTest::mouseClick(weekdays, Qt::LeftButton);

    QCOMPARE(dialog.days(), std::vector<int>(days.begin(), days.end()));
    QVERIFY(dialog.findChild<QPushButton *>("OKCmd")->isEnabled());
    LoadInterfaceText(app.context.text, Japanese);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&dialog, &change);
    QCOMPARE(weekdays->text(), QString::fromUtf8("平日（月〜金）"));
}

void DuplicateTest::editorTitle()
{
    MainWindowFixture fixture;
    Load(fixture, Document());
    QString basicTitle, detailTitle;
    const auto readTitle = [](QString *title) {
        return [title](QWidget *editor) {
            *title = editor->windowTitle();
            QTest::mouseClick(editor->findChild<QPushButton *>("CancelCmd"), Qt::LeftButton);
        };
    };
    AnswerInTurn({readTitle(&basicTitle)});
    fixture.click("NormalAddCmd");
    QVERIFY(WaitForNoModal());
    AnswerInTurn({readTitle(&detailTitle)});
    fixture.click("DetailModifyCmd");
    QVERIFY(WaitForNoModal());
    QCOMPARE(basicTitle, QString::fromUtf8("ファイル選択と設定 - 基本設定"));
    QCOMPARE(detailTitle,
             QString::fromUtf8("ファイル選択と設定 - 日時設定 2 "
                               "(2007/01/01 00:00:00 - 2008/01/01 00:00:00、月曜日)"));
}

QTEST_MAIN(DuplicateTest)
#include "tst_duplicate.moc"
