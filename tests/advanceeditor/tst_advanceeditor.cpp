#include "AdvanceScheduleEditForm.h"
#include "FakePlatform.h"
#include "ModalDriver.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace nerav;
using namespace nerav::test;

namespace {

AdvanceSchedule MakeSchedule(QDate start, QTime startTime, QDate stop, QTime stopTime, int weekDay)
{
    AdvanceSchedule s;
    s.startYear = static_cast<std::uint8_t>(start.year() - 2000);
    s.startMonth = static_cast<std::uint8_t>(start.month());
    s.startDay = static_cast<std::uint8_t>(start.day());
    s.startHour = static_cast<std::uint8_t>(startTime.hour());
    s.startMinute = static_cast<std::uint8_t>(startTime.minute());
    s.startSecond = static_cast<std::uint8_t>(startTime.second());
    s.stopYear = static_cast<std::uint8_t>(stop.year() - 2000);
    s.stopMonth = static_cast<std::uint8_t>(stop.month());
    s.stopDay = static_cast<std::uint8_t>(stop.day());
    s.stopHour = static_cast<std::uint8_t>(stopTime.hour());
    s.stopMinute = static_cast<std::uint8_t>(stopTime.minute());
    s.stopSecond = static_cast<std::uint8_t>(stopTime.second());
    s.weekDay = static_cast<std::uint8_t>(weekDay);
    return s;
}

} // namespace

struct Fixture
{
    explicit Fixture(short language = Japanese) : app(language)
    {
        AdvanceSchedule first =
                MakeSchedule({2006, 12, 28}, {8, 0, 0}, {2007, 1, 5}, {18, 30, 15}, 3);
        first.details.resize(2);
        first.details[1].playTimes = 9;
        AdvanceSchedule second =
                MakeSchedule({2010, 2, 28}, {0, 0, 0}, {2010, 3, 1}, {23, 59, 59}, 0);
        second.details.resize(1);
        m_document.advanceSchedules = {first, second};
    }
    ScheduleDocument &document() { return m_document; }
    const AdvanceSchedule &stored(int index) const
    {
        return m_document.advanceSchedules[std::size_t(index)];
    }

    FakeApp app;

private:
    ScheduleDocument m_document;
};

class Editor
{
public:
    explicit Editor(Fixture &fixture, const std::optional<AdvanceSchedule> &schedule = std::nullopt)
        : form(fixture.app.context, schedule)
    {
    }
    QComboBox *combo(const QString &name) const { return form.findChild<QComboBox *>(name); }
    QString shown(const QString &prefix) const
    {
        QStringList values;
        for (const char *part : {"Year", "Month", "Day", "Hour", "Minute", "Second"}) {
            if (QComboBox *c = combo(prefix + part + "Combo"))
                values.append(c->currentText());
        }
        return values.join(' ');
    }
    void setDate(const QString &prefix, QDate date)
    {
        combo(prefix + "YearCombo")->setCurrentIndex(date.year() - 2000);
        combo(prefix + "MonthCombo")->setCurrentIndex(date.month() - 1);
        combo(prefix + "DayCombo")->setCurrentIndex(date.day() - 1);
    }
    void setTime(const QString &prefix, QTime time)
    {
        combo(prefix + "HourCombo")->setCurrentIndex(time.hour());
        combo(prefix + "MinuteCombo")->setCurrentIndex(time.minute());
        combo(prefix + "SecondCombo")->setCurrentIndex(time.second());
    }
    void clickOk() { QTest::mouseClick(form.findChild<QPushButton *>("OKCmd"), Qt::LeftButton); }
    void clickCancel()
    {
        QTest::mouseClick(form.findChild<QPushButton *>("CancelCmd"), Qt::LeftButton);
    }

    AdvanceScheduleEditForm form;
};

class tst_AdvanceEditor : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void framesCombosAndCaptions();
    void addWithDefaultsThroughExec();
    void refusedTimesStayOpenThroughExec();
    void modify_data();
    void modify();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void daysInMonth_data();
    void daysInMonth();
    void dayIsClampedAndOtherDateUntouched();
    void order_data();
    void order();
    void todayOutsideOfferedYears_data();
    void todayOutsideOfferedYears();
    void storedValuesOutsideListsOpenOnNearest();
};

void tst_AdvanceEditor::cleanup()
{
    QVERIFY(WaitForNoModal());
    QCOMPARE(VisibleTopLevelWindows(), QStringList());
}

void tst_AdvanceEditor::framesCombosAndCaptions()
{
    Fixture fixture(English);
    Editor editor(fixture);
    QCOMPARE(editor.form.windowTitle(), QStringLiteral("Advance Schedule Editor"));
    const QList<QPair<QString, QStringList>> frames = {
            {"DateFrame", {"StartDateFrame", "StopDateFrame", "WeekDayFrame"}},
            {"TimeSetupFrame", {"StartTimeFrame", "StopTimeFrame"}},
    };
    for (const auto &[outer, inner] : frames) {
        auto *frame = editor.form.findChild<QGroupBox *>(outer);
        QVERIFY2(frame, qPrintable(outer));
        for (const QString &name : inner)
            QVERIFY2(frame->findChild<QGroupBox *>(name), qPrintable(name));
    }
    QCOMPARE(editor.form.findChild<QGroupBox *>("StartDateFrame")->title(),
             QStringLiteral("Start Date"));
    const QStringList combos = {"StartYearCombo",   "StartMonthCombo", "StartDayCombo",
                                "StopYearCombo",    "StopMonthCombo",  "StopDayCombo",
                                "WeekdayCombo",     "StartHourCombo",  "StartMinuteCombo",
                                "StartSecondCombo", "StopHourCombo",   "StopMinuteCombo",
                                "StopSecondCombo"};
    for (const QString &name : combos) {
        QVERIFY2(editor.combo(name), qPrintable(name));
        QVERIFY(!editor.combo(name)->isEditable());
    }
    const QStringList words = {"Year",   "Month",  "Day",  "Year",   "Month",  "Day",
                               "Second", "Minute", "Hour", "Second", "Minute", "Hour"};
    for (int i = 0; i < words.size(); ++i) {
        auto *picture = editor.form.findChild<QLabel *>(QStringLiteral("Picture%1").arg(i + 1));
        QVERIFY(picture);
        QCOMPARE(picture->text(), words[i]);
    }
    QCOMPARE(editor.combo("StartYearCombo")->count(), 100);
    QCOMPARE(editor.combo("StartYearCombo")->itemText(99), QStringLiteral("2099"));
    QCOMPARE(editor.combo("StopHourCombo")->count(), 24);
    QCOMPARE(editor.combo("StopSecondCombo")->count(), 60);
    QCOMPARE(editor.combo("WeekdayCombo")->itemText(0), QStringLiteral("Sunday"));
    QCOMPARE(editor.combo("WeekdayCombo")->itemText(7), QStringLiteral("Every day"));
}

void tst_AdvanceEditor::addWithDefaultsThroughExec()
{
    Fixture fixture;
    Editor editor(fixture);
    QString start, stop, startTime, stopTime, weekDay;
    int dayItems = 0;
    OnNextModal([&](QWidget *) {
        start = editor.shown("Start");
        stop = editor.shown("Stop");
        weekDay = editor.combo("WeekdayCombo")->currentText();
        dayItems = editor.combo("StopDayCombo")->count();
        editor.clickOk();
    });
    QCOMPARE(editor.form.exec(), int(QDialog::Accepted));
    QCOMPARE(start, QStringLiteral("2007 1 17 0 0 0"));
    QCOMPARE(stop, QStringLiteral("2007 1 17 23 59 59"));
    QCOMPARE(weekDay, QString::fromUtf8("毎日"));
    QCOMPARE(dayItems, 31);

    QCOMPARE(fixture.document().advanceCount(), 2);
    const AdvanceSchedule expected =
            MakeSchedule({2007, 1, 17}, {0, 0, 0}, {2007, 1, 17}, {23, 59, 59}, EveryDay);
    QVERIFY(editor.form.schedule() == expected);
}

void tst_AdvanceEditor::refusedTimesStayOpenThroughExec()
{
    Fixture fixture;
    const ScheduleDocument before = fixture.document();
    Editor editor(fixture, fixture.stored(0));
    QString message;
    bool stillOpen = false;
    bool unchangedWhileOpen = false;
    OnNextModal([&](QWidget *) {
        editor.setTime("Stop", {8, 0, 0}); // equal to the start time
        AnswerNextMessageBox(QMessageBox::Ok, &message);
        editor.clickOk();
        stillOpen = editor.form.isVisible();
        unchangedWhileOpen = fixture.document().SameContentAs(before);
        editor.setTime("Stop", {8, 0, 1});
        editor.clickOk();
    });
    QCOMPARE(editor.form.exec(), int(QDialog::Accepted));
    QCOMPARE(message, QString::fromUtf8("時間設定エラー"));
    QVERIFY(stillOpen);
    QVERIFY(unchangedWhileOpen);
    const AdvanceSchedule &edited = editor.form.schedule();
    QCOMPARE(edited.stopHour, 8);
    QCOMPARE(edited.stopSecond, 1);
    QVERIFY(fixture.document().SameContentAs(before));
}

void tst_AdvanceEditor::modify_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("weekDay");
    QTest::newRow("second") << 1 << "2010 2 28 0 0 0"
                            << "Sunday";
    QTest::newRow("first") << 0 << "2006 12 28 8 0 0"
                           << "Wednesday";
}

void tst_AdvanceEditor::modify()
{
    QFETCH(int, stored);
    QFETCH(QString, start);
    QFETCH(QString, weekDay);

    Fixture fixture(English);
    const ScheduleDocument before = fixture.document();
    Editor editor(fixture, fixture.stored(stored));
    editor.form.show();
    QCOMPARE(editor.shown("Start"), start);
    QCOMPARE(editor.combo("WeekdayCombo")->currentText(), weekDay);

    // OK without changes hands back the same schedule.
    editor.clickOk();
    QCOMPARE(editor.form.result(), int(QDialog::Accepted));
    QVERIFY(editor.form.schedule() == fixture.stored(stored));

    // A changed window keeps the schedule's entries.
    Editor again(fixture, fixture.stored(stored));
    again.form.show();
    again.setTime("Stop", {20, 0, 0});
    again.combo("WeekdayCombo")->setCurrentIndex(5);
    again.clickOk();
    const AdvanceSchedule &changed = again.form.schedule();
    QCOMPARE(changed.stopHour, 20);
    QCOMPARE(changed.stopMinute, 0);
    QCOMPARE(changed.weekDay, 5);
    QCOMPARE(changed.startDay, fixture.stored(stored).startDay);
    QVERIFY(changed.details == fixture.stored(stored).details);
    QVERIFY(fixture.document().SameContentAs(before));
}

void tst_AdvanceEditor::cancelChangesNothing_data()
{
    QTest::addColumn<bool>("given");
    QTest::newRow("new schedule") << false;
    QTest::newRow("stored schedule") << true;
}

void tst_AdvanceEditor::cancelChangesNothing()
{
    QFETCH(bool, given);
    Fixture fixture;
    const ScheduleDocument before = fixture.document();
    Editor editor(fixture, given ? std::optional(fixture.stored(1)) : std::nullopt);
    editor.form.show();
    const AdvanceSchedule loaded = editor.form.schedule();
    editor.setDate("Start", {2001, 5, 5});
    editor.clickCancel();
    QCOMPARE(editor.form.result(), int(QDialog::Rejected));
    QVERIFY(editor.form.schedule() == loaded);
    QVERIFY(fixture.document().SameContentAs(before));
}

void tst_AdvanceEditor::daysInMonth_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("days");
    QTest::newRow("February 2000") << 2000 << 2 << 29;
    QTest::newRow("February 2008") << 2008 << 2 << 29;
    QTest::newRow("February 2007") << 2007 << 2 << 28;
    QTest::newRow("February 2099") << 2099 << 2 << 28;
    QTest::newRow("April") << 2007 << 4 << 30;
    QTest::newRow("November") << 2007 << 11 << 30;
    QTest::newRow("August") << 2007 << 8 << 31;
    QTest::newRow("December") << 2099 << 12 << 31;
}

void tst_AdvanceEditor::daysInMonth()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, days);
    Fixture fixture;
    Editor editor(fixture);
    editor.form.show();
    editor.combo("StopYearCombo")->setCurrentIndex(year - 2000);
    editor.combo("StopMonthCombo")->setCurrentIndex(month - 1);
    QComboBox *day = editor.combo("StopDayCombo");
    QCOMPARE(day->count(), days);
    QCOMPARE(day->itemText(days - 1), QString::number(days));
    editor.form.reject();
}

void tst_AdvanceEditor::dayIsClampedAndOtherDateUntouched()
{
    Fixture fixture;
    fixture.app.clock.date = QDate(2007, 1, 31);
    Editor editor(fixture);
    editor.form.show();
    QComboBox *startDay = editor.combo("StartDayCombo");
    QCOMPARE(startDay->currentText(), QStringLiteral("31"));

    editor.combo("StartMonthCombo")->setCurrentIndex(3);
    QCOMPARE(startDay->count(), 30);
    QCOMPARE(startDay->currentText(), QStringLiteral("30"));
    editor.combo("StartYearCombo")->setCurrentIndex(8);
    editor.combo("StartMonthCombo")->setCurrentIndex(1);
    QCOMPARE(startDay->count(), 29);
    QCOMPARE(startDay->currentText(), QStringLiteral("29"));
    editor.combo("StartYearCombo")->setCurrentIndex(7);
    QCOMPARE(startDay->currentText(), QStringLiteral("28"));
    // A longer month keeps the day chosen so far.
    editor.combo("StartMonthCombo")->setCurrentIndex(2);
    QCOMPARE(startDay->count(), 31);
    QCOMPARE(startDay->currentText(), QStringLiteral("28"));

    QCOMPARE(editor.shown("Stop"), QStringLiteral("2007 1 31 23 59 59"));
    QCOMPARE(editor.combo("StopDayCombo")->count(), 31);
    editor.form.reject();
}

void tst_AdvanceEditor::order_data()
{
    QTest::addColumn<QDate>("startDate");
    QTest::addColumn<QTime>("startTime");
    QTest::addColumn<QDate>("stopDate");
    QTest::addColumn<QTime>("stopTime");
    QTest::addColumn<QString>("message"); // empty when accepted

    const QString dateError = QString::fromUtf8("日付設定エラー");
    const QString timeError = QString::fromUtf8("時間設定エラー");
    const QDate day(2007, 1, 1);
    QTest::newRow("equal dates") << day << QTime(0, 0, 0) << day << QTime(0, 0, 1) << "";
    QTest::newRow("equal times") << day << QTime(12, 0, 0) << QDate(2007, 2, 1) << QTime(12, 0, 0)
                                 << timeError;
    QTest::newRow("times without the dates")
            << day << QTime(22, 0, 0) << QDate(2007, 1, 2) << QTime(6, 0, 0) << timeError;
    QTest::newRow("minute decides")
            << day << QTime(10, 30, 0) << day << QTime(10, 29, 59) << timeError;
    QTest::newRow("second decides") << day << QTime(10, 30, 0) << day << QTime(10, 30, 1) << "";
    QTest::newRow("start day after stop day")
            << QDate(2007, 1, 2) << QTime(0, 0, 0) << day << QTime(1, 0, 0) << dateError;
    QTest::newRow("month decides") << QDate(2007, 3, 1) << QTime(0, 0, 0) << QDate(2007, 2, 28)
                                   << QTime(1, 0, 0) << dateError;
    QTest::newRow("year decides") << QDate(2007, 12, 31) << QTime(0, 0, 0) << QDate(2008, 1, 1)
                                  << QTime(1, 0, 0) << "";
    QTest::newRow("both wrong: date first")
            << QDate(2008, 1, 1) << QTime(5, 0, 0) << day << QTime(5, 0, 0) << dateError;
}

void tst_AdvanceEditor::order()
{
    QFETCH(QDate, startDate);
    QFETCH(QTime, startTime);
    QFETCH(QDate, stopDate);
    QFETCH(QTime, stopTime);
    QFETCH(QString, message);

    Fixture fixture;
    const ScheduleDocument before = fixture.document();
    Editor editor(fixture);
    editor.form.show();
    editor.setDate("Start", startDate);
    editor.setTime("Start", startTime);
    editor.setDate("Stop", stopDate);
    editor.setTime("Stop", stopTime);
    const QString startShown = editor.shown("Start");
    QString shownMessage;
    if (!message.isEmpty())
        AnswerNextMessageBox(QMessageBox::Ok, &shownMessage);
    editor.clickOk();

    if (!message.isEmpty()) {
        QCOMPARE(shownMessage, message);
        QVERIFY(editor.form.isVisible());
        QCOMPARE(editor.shown("Start"), startShown);
        editor.form.reject();
        return;
    }
    QCOMPARE(editor.form.result(), int(QDialog::Accepted));
    QVERIFY(editor.form.schedule() ==
            MakeSchedule(startDate, startTime, stopDate, stopTime, EveryDay));
    QVERIFY(fixture.document().SameContentAs(before));
}

void tst_AdvanceEditor::todayOutsideOfferedYears_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("shown");
    QTest::newRow("before 2000") << QDate(1999, 6, 15) << "2000 1 1 0 0 0";
    QTest::newRow("after 2099") << QDate(2100, 2, 10) << "2099 12 31 0 0 0";
    QTest::newRow("first day") << QDate(2000, 1, 1) << "2000 1 1 0 0 0";
    QTest::newRow("leap day") << QDate(2096, 2, 29) << "2096 2 29 0 0 0";
}

void tst_AdvanceEditor::todayOutsideOfferedYears()
{
    QFETCH(QDate, today);
    QFETCH(QString, shown);
    Fixture fixture;
    fixture.app.clock.date = today;
    Editor editor(fixture);
    QCOMPARE(editor.shown("Start"), shown);
    QCOMPARE(editor.shown("Stop").section(' ', 0, 2), shown.section(' ', 0, 2));
}

void tst_AdvanceEditor::storedValuesOutsideListsOpenOnNearest()
{
    Fixture fixture;
    AdvanceSchedule foreign = fixture.stored(0);
    foreign.startYear = 200;
    foreign.startMonth = 0;
    foreign.startDay = 0;
    foreign.startHour = 30;
    foreign.startMinute = 75;
    foreign.startSecond = 255;
    foreign.stopYear = 5;
    foreign.stopMonth = 13;
    foreign.stopDay = 40;
    foreign.weekDay = 9;
    Editor editor(fixture, foreign);
    editor.form.show();
    QCOMPARE(editor.shown("Start"), QStringLiteral("2099 1 1 23 59 59"));
    QCOMPARE(editor.shown("Stop").section(' ', 0, 2), QStringLiteral("2005 12 31"));
    QCOMPARE(editor.combo("WeekdayCombo")->currentIndex(), 7);
    editor.form.reject();
}

QTEST_MAIN(tst_AdvanceEditor)
#include "tst_advanceeditor.moc"
