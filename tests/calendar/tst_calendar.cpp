// The calendar window through its real widgets: it and the main window's advance list select
// each other's schedule, it follows changes of the document, moves by month, year and key,
// saves and prints the month, opens where it last was, and shows its days to screen readers.

#include "CalendarForm.h"
#include "CalendarMonthView.h"
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "TestFiles.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QMenuBar>
#include <QPdfWriter>
#include <QPushButton>
#include <QSpinBox>
#include <QToolTip>

using namespace nerav;
using namespace nerav::test;

namespace {

AdvanceSchedule Window(QDate start, QDate stop, int weekDay, int details)
{
    AdvanceSchedule schedule = Advance(details, weekDay);
    schedule.startYear = std::uint8_t(start.year() - 2000);
    schedule.startMonth = std::uint8_t(start.month());
    schedule.startDay = std::uint8_t(start.day());
    schedule.stopYear = std::uint8_t(stop.year() - 2000);
    schedule.stopMonth = std::uint8_t(stop.month());
    schedule.stopDay = std::uint8_t(stop.day());
    schedule.stopHour = 23;
    return schedule;
}

// Row 1: Thursdays over the year end; row 2: Saturdays in March; row 3: every day from
// 28 to 31 December, so 28 December holds rows 1 and 3.
ScheduleDocument CalendarDocument()
{
    ScheduleDocument document = SampleDocument();
    document.advanceSchedules = {Window({2006, 12, 28}, {2007, 1, 5}, 4, 2),
                                 Window({2007, 3, 3}, {2007, 3, 31}, 6, 1),
                                 Window({2006, 12, 28}, {2006, 12, 31}, EveryDay, 3)};
    return document;
}

const QDate December28(2006, 12, 28);

} // namespace

class TestCalendar : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void viewMenuOpensTheCalendar();
    void selectingInMainWindowShowsItsMonth();
    void choosingADaysScheduleSelectsItsRow();
    void keyboardMovesTheDayAndEnterChooses();
    void documentChangesUpdateTheView();
    void selectedScheduleShowsOnCrowdedDays();
    void monthYearAndTodayWithinTheYears();
    void savesAndPrintsTheMonth();
    void switchesLanguage();
    void opensWhereItWasLastTime();
    void screenReadersReadTheDays_data();
    void screenReadersReadTheDays();
    void focusedDayFollowsTheArrowKeys();
    void scheduleLineShowsItsFiles();

private:
    std::unique_ptr<MainWindowFixture> m_window;
    CalendarForm *m_calendar = nullptr;
    CalendarMonthView *m_view = nullptr;
    ScheduleListView *m_advanceList = nullptr;
};

void TestCalendar::init()
{
    m_window = std::make_unique<MainWindowFixture>();
    m_window->setDocument(CalendarDocument());
    m_advanceList = m_window->child<ScheduleListView>(QStringLiteral("AdvanceList"));
    m_window->child<QAction>(QStringLiteral("subCalendar"))->trigger();
    m_calendar = m_window->form->calendar();
    QVERIFY(m_calendar && m_calendar->isVisible());
    m_calendar->resize(1100, 760);
    m_view = m_calendar->monthView();
    QVERIFY(QTest::qWaitForWindowExposed(m_calendar));
}

void TestCalendar::cleanup()
{
    m_window.reset();
}

void TestCalendar::viewMenuOpensTheCalendar()
{
    QStringList menus;
    for (QAction *action : m_window->form->menuBar()->actions())
        menus << action->text();
    QCOMPARE(menus, (QStringList {"ファイル(&F)", "編集(&E)", "表示(&V)", "ヘルプ(&H)"}));
    QCOMPARE(m_window->child<QAction>(QStringLiteral("subCalendar"))->text(), "カレンダー(&C)");
    // Opened on the clock's month; row 1 (selected) has a Thursday in it.
    QCOMPARE(m_view->currentDay(), QDate(2007, 1, 17));
    QCOMPARE(m_view->highlightedSchedule(), 0);
    QCOMPARE(m_view->schedulesShownOn({2007, 1, 4}), std::vector<int> {0});
    QVERIFY(m_view->schedulesShownOn({2007, 1, 3}).empty());
    // A second opening shows the same window.
    m_window->child<QAction>(QStringLiteral("subCalendar"))->trigger();
    QCOMPARE(m_window->form->findChildren<CalendarForm *>().size(), 1);
}

void TestCalendar::selectingInMainWindowShowsItsMonth()
{
    m_advanceList->setCurrentRow(1);
    QCOMPARE(m_view->highlightedSchedule(), 1);
    QCOMPARE(m_view->currentDay(), QDate(2007, 3, 3));
    QCOMPARE(m_calendar->findChild<QSpinBox *>(QStringLiteral("YearBox"))->value(), 2007);
    QCOMPARE(m_calendar->findChild<QComboBox *>(QStringLiteral("MonthBox"))->currentIndex(), 2);
    QCOMPARE(m_view->schedulesShownOn({2007, 3, 31}), std::vector<int> {1});

    m_advanceList->setCurrentRow(2);
    QCOMPARE(m_view->currentDay(), December28);
    QCOMPARE(m_view->schedulesShownOn(December28), (std::vector<int> {0, 2}));

    // Row 1 is on days of December too: the month stays.
    m_advanceList->setCurrentRow(0);
    QCOMPARE(m_view->highlightedSchedule(), 0);
    QCOMPARE(m_view->currentDay(), December28);
}

void TestCalendar::choosingADaysScheduleSelectsItsRow()
{
    m_view->setCurrentDay(December28);
    const QRect line = m_view->scheduleLineRect(December28, 2);
    QVERIFY(!line.isEmpty());
    QTest::mouseClick(m_view, Qt::LeftButton, {}, line.center());

    QCOMPARE(m_advanceList->currentRow(), 2);
    QCOMPARE(m_window->child<ScheduleListView>(QStringLiteral("DetailList"))->count(), 3);
    QCOMPARE(m_view->highlightedSchedule(), 2);
    QCOMPARE(m_view->currentDay(), December28);
}

void TestCalendar::keyboardMovesTheDayAndEnterChooses()
{
    m_view->setCurrentDay(QDate(2006, 12, 27));
    m_advanceList->setCurrentRow(1); // March: the view moves there
    m_view->setFocus();
    QTest::keyClick(m_view, Qt::Key_PageUp);
    QTest::keyClick(m_view, Qt::Key_PageUp);
    QTest::keyClick(m_view, Qt::Key_PageUp);
    QCOMPARE(m_view->currentDay(), QDate(2006, 12, 3));
    QTest::keyClick(m_view, Qt::Key_Down);
    QTest::keyClick(m_view, Qt::Key_Down);
    QTest::keyClick(m_view, Qt::Key_Down);
    QTest::keyClick(m_view, Qt::Key_Right);
    QTest::keyClick(m_view, Qt::Key_Left);
    QTest::keyClick(m_view, Qt::Key_Up);
    QTest::keyClick(m_view, Qt::Key_Down);
    QCOMPARE(m_view->currentDay(), QDate(2006, 12, 24));
    QTest::keyClick(m_view, Qt::Key_Return); // basic only: nothing to choose
    QCOMPARE(m_advanceList->currentRow(), 1);

    for (int i = 0; i < 4; ++i)
        QTest::keyClick(m_view, Qt::Key_Right);
    QCOMPARE(m_view->currentDay(), December28);
    QTest::keyClick(m_view, Qt::Key_Return);
    QCOMPARE(m_advanceList->currentRow(), 0);
    QTest::keyClick(m_view, Qt::Key_Enter);
    QCOMPARE(m_advanceList->currentRow(), 2);
    QTest::keyClick(m_view, Qt::Key_Return);
    QCOMPARE(m_advanceList->currentRow(), 0);
    // The month follows the day across its end.
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(m_view, Qt::Key_Right);
    QCOMPARE(m_view->currentDay(), QDate(2007, 1, 4));
}

void TestCalendar::documentChangesUpdateTheView()
{
    m_view->setCurrentDay(December28);
    m_advanceList->setCurrentRow(0);
    m_window->click(QStringLiteral("AdvanceMoveDownCmd"));
    QCOMPARE(m_view->schedulesShownOn(December28), (std::vector<int> {1, 2}));
    QCOMPARE(m_view->highlightedSchedule(), 1);

    m_advanceList->setCurrentRow(2);
    m_window->click(QStringLiteral("AdvanceRemoveCmd"));
    QCOMPARE(m_view->schedulesShownOn(December28), std::vector<int> {1});
    QCOMPARE(m_view->highlightedSchedule(), 1);

    m_window->child<QAction>(QStringLiteral("subUndo"))->trigger();
    QCOMPARE(m_view->schedulesShownOn(December28), (std::vector<int> {1, 2}));
    QCOMPARE(m_view->highlightedSchedule(), m_advanceList->currentRow());

    AnswerInTurn({PressInMessageBox(QMessageBox::Discard)});
    m_window->form->documentCommands().newDocument();
    QVERIFY(m_view->schedulesShownOn(December28).empty());
    QCOMPARE(m_view->highlightedSchedule(), -1);
}

void TestCalendar::selectedScheduleShowsOnCrowdedDays()
{
    // 29 schedules on 28 December: more than a day has lines for.
    ScheduleDocument crowded = m_window->document();
    for (int i = 0; i < 27; ++i)
        crowded.advanceSchedules.push_back(Window(December28, December28, EveryDay, 1));
    m_window->setDocument(crowded);
    m_calendar->refresh();
    m_advanceList->setCurrentRow(29);
    QCOMPARE(m_view->currentDay(), December28);
    QCOMPARE(m_view->schedulesShownOn(December28).size(), size_t(29));
    QVERIFY(m_view->scheduleLineRect(December28, 28).isEmpty());
    const QRect line = m_view->scheduleLineRect(December28, 29);
    QVERIFY(!line.isEmpty());

    // Another selection gives that line back to the schedule in list order.
    m_advanceList->setCurrentRow(0);
    QVERIFY(m_view->scheduleLineRect(December28, 29).isEmpty());
    QTest::mouseClick(m_view, Qt::LeftButton, {}, line.center());
    QVERIFY(m_advanceList->currentRow() > 0 && m_advanceList->currentRow() < 29);
}

void TestCalendar::monthYearAndTodayWithinTheYears()
{
    auto *previousMonth = m_calendar->findChild<QPushButton *>(QStringLiteral("PreviousMonthCmd"));
    auto *nextYear = m_calendar->findChild<QPushButton *>(QStringLiteral("NextYearCmd"));
    auto *nextMonth = m_calendar->findChild<QPushButton *>(QStringLiteral("NextMonthCmd"));
    auto *year = m_calendar->findChild<QSpinBox *>(QStringLiteral("YearBox"));
    auto *month = m_calendar->findChild<QComboBox *>(QStringLiteral("MonthBox"));

    m_view->setCurrentDay(QDate(2007, 3, 31));
    QTest::mouseClick(previousMonth, Qt::LeftButton);
    QCOMPARE(m_view->currentDay(), QDate(2007, 2, 28));
    month->setCurrentIndex(11);
    year->setValue(2099);
    QCOMPARE(m_view->currentDay(), QDate(2099, 12, 28));
    QVERIFY(!nextMonth->isEnabled());
    QVERIFY(!nextYear->isEnabled());
    QTest::keyClick(m_view, Qt::Key_PageDown);
    QCOMPARE(m_view->currentDay(), QDate(2099, 12, 31));

    year->setValue(2000);
    month->setCurrentIndex(0);
    QVERIFY(!previousMonth->isEnabled());
    m_window->app.clock.date = QDate(2008, 2, 29);
    QTest::mouseClick(m_calendar->findChild<QPushButton *>(QStringLiteral("TodayCmd")),
                      Qt::LeftButton);
    QCOMPARE(m_view->currentDay(), QDate(2008, 2, 29));
    QVERIFY(previousMonth->isEnabled());
}

void TestCalendar::savesAndPrintsTheMonth()
{
    const QString folder = m_window->folder(QStringLiteral("out"));
    m_view->setCurrentDay(December28);
    QVERIFY(m_calendar->saveImage(folder + "december.png"));
    const QImage image(folder + "december.png");
    QCOMPARE(image.size(), QSize(2800, 1980));
    QVERIFY(WriteFile(folder + "file", "x"));
    QVERIFY(!m_calendar->saveImage(folder + "file/december.png"));

    {
        QPdfWriter pdf(folder + "december.pdf");
        m_calendar->printTo(pdf);
    }
    QVERIFY(ReadFile(folder + "december.pdf").startsWith("%PDF"));

    // Print asks with the system's print dialog, from the printing module.
    QString title;
    OnNextModal([&title](QWidget *dialog) {
        title = dialog->windowTitle();
        dialog->close();
    });
    QTest::mouseClick(m_calendar->findChild<QPushButton *>(QStringLiteral("PrintCmd")),
                      Qt::LeftButton);
    QVERIFY(WaitForNoModal());
    QCOMPARE(title, m_window->app.context.text.captions.printCommand);
}

void TestCalendar::switchesLanguage()
{
    m_view->setCurrentDay(December28);
    LoadInterfaceText(m_window->app.context.text, English);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(m_calendar, &change);
    QCOMPARE(m_calendar->findChild<QPushButton *>(QStringLiteral("TodayCmd"))->text(), "Today");
    QCOMPARE(m_calendar->findChild<QComboBox *>(QStringLiteral("MonthBox"))->currentText(),
             "December");
    QVERIFY(m_calendar->windowTitle().startsWith("Calendar"));
}

void TestCalendar::opensWhereItWasLastTime()
{
    QTemporaryDir stores;
    const QString store = stores.filePath(QStringLiteral("user.conf"));
    m_window->app.context.settings.openUserStore(store);
    const QRect placed(40, 30, 720, 520);
    m_calendar->setGeometry(placed);
    m_calendar->close();
    QVERIFY(m_window->app.context.settings.syncUserStore());

    // The next run: a fresh main window and settings over the same store.
    m_window = std::make_unique<MainWindowFixture>();
    m_window->app.context.settings.openUserStore(store);
    m_window->child<QAction>(QStringLiteral("subCalendar"))->trigger();
    QCOMPARE(m_window->form->calendar()->geometry(), placed);
}

void TestCalendar::screenReadersReadTheDays_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("overlapDay");
    QTest::addColumn<QString>("basicDay");
    QTest::addColumn<QString>("yearName");
    QTest::newRow("Japanese") << int(Japanese)
                              << "12月28日 木曜日: #1 00:00-23:00 CLIP0.AVI, "
                                 "#3 00:00-23:00 CLIP0.AVI, 重複"
                              << "12月24日 日曜日: 基本設定のみ"
                              << "年";
    QTest::newRow("English") << int(English)
                             << "Thursday, December 28: #1 00:00-23:00 CLIP0.AVI, "
                                "#3 00:00-23:00 CLIP0.AVI, overlap"
                             << "Sunday, December 24: basic only"
                             << "Year";
}

void TestCalendar::screenReadersReadTheDays()
{
    QFETCH(int, language);
    QFETCH(QString, overlapDay);
    QFETCH(QString, basicDay);
    QFETCH(QString, yearName);
    LoadInterfaceText(m_window->app.context.text, short(language));
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(m_calendar, &change);
    m_view->setCurrentDay(December28);

    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_calendar);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), m_calendar->windowTitle());
    // Every control a reader reaches by Tab has a name.
    for (int index = 0; index < window->childCount(); ++index) {
        QAccessibleInterface *control = window->child(index);
        if (control->state().focusable)
            QVERIFY2(!control->text(QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(control->object()->objectName()));
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(
                     m_calendar->findChild<QSpinBox *>(QStringLiteral("YearBox")))
                     ->text(QAccessible::Name),
             yearName);

    // Six weeks of seven days from Sunday 26 November; Thursday 28 December in the fifth.
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(m_view);
    QCOMPARE(grid->role(), QAccessible::Table);
    QCOMPARE(grid->childCount(), 42);
    QAccessibleTableInterface *table = grid->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 6);
    QCOMPARE(table->columnCount(), 7);
    QAccessibleInterface *day = table->cellAt(4, 4);
    QCOMPARE(day->role(), QAccessible::Cell);
    QCOMPARE(day->text(QAccessible::Name), overlapDay);
    QCOMPARE(grid->indexOfChild(day), 32);
    QCOMPARE(day->parent(), grid);
    QVERIFY(day->state().selected);
    QCOMPARE(table->cellAt(4, 0)->text(QAccessible::Name), basicDay);
    QVERIFY(!table->cellAt(4, 0)->state().selected);
    const QRect shown = m_view->scheduleLineRect(December28, 0);
    QCOMPARE(grid->childAt(m_view->mapToGlobal(shown.center()).x(),
                           m_view->mapToGlobal(shown.center()).y()),
             day);
}

void TestCalendar::focusedDayFollowsTheArrowKeys()
{
    m_view->setCurrentDay(QDate(2006, 12, 27));
    m_calendar->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_calendar));
    m_view->setFocus();
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(m_view);
    QAccessibleTableInterface *table = grid->tableInterface();
    const auto focusedCell = [grid] {
        QAccessibleInterface *focused = grid->focusChild();
        return focused && focused->state().focused ? grid->indexOfChild(focused) : -1;
    };
    QCOMPARE(focusedCell(), 31);

    QTest::keyClick(m_view, Qt::Key_Right);
    QCOMPARE(focusedCell(), 32);
    QVERIFY(!table->cellAt(4, 3)->state().focused);
    QTest::keyClick(m_view, Qt::Key_Up);
    QCOMPARE(focusedCell(), 25);
    // 21 January: the same cells now hold January.
    QTest::keyClick(m_view, Qt::Key_PageDown);
    QCOMPARE(focusedCell(), 21);
    QVERIFY(grid->focusChild()->text(QAccessible::Name).startsWith("1月21日 日曜日: "));
    QCOMPARE(grid->text(QAccessible::Name), "2007年1月");

    // Away from the view no day has the focus; the current one stays selected.
    m_calendar->findChild<QSpinBox *>(QStringLiteral("YearBox"))->setFocus();
    QCOMPARE(focusedCell(), -1);
    QVERIFY(table->cellAt(3, 0)->state().selected);
}

void TestCalendar::scheduleLineShowsItsFiles()
{
    m_view->setCurrentDay(December28);
    // The line names the first file; its tooltip every file of the schedule.
    QVERIFY(m_view->dayName(32).contains("#3 00:00-23:00 CLIP0.AVI"));
    const QRect line = m_view->scheduleLineRect(December28, 2);
    QHelpEvent help(QEvent::ToolTip, line.center(), m_view->mapToGlobal(line.center()));
    QCoreApplication::sendEvent(m_view, &help);
    const QString tip = QToolTip::text();
    for (const char *file : {"CLIP0.AVI", "CLIP1.AVI", "CLIP2.AVI"})
        QVERIFY2(tip.contains(file), qPrintable(tip));
    QVERIFY(tip.contains("#3"));
}

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
