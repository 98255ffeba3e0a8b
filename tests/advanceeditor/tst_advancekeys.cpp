// The date/time editor by keyboard and screen reader: Tab follows the screen, Enter on a
// focused button presses that button, and each list is named by its frame.

#include "AdvanceScheduleEditForm.h"
#include "FakePlatform.h"
#include "ModalDriver.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace nerav;
using namespace nerav::test;

// The editor opened to add a new advance schedule.
struct KeysFixture
{
    explicit KeysFixture(short language = Japanese) : app(language) { }

    FakeApp app;
};

class tst_AdvanceKeys : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void tabFollowsTheScreen();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void framesNameTheirLists_data();
    void framesNameTheirLists();
};

void tst_AdvanceKeys::cleanup()
{
    QVERIFY2(VisibleTopLevelWindows().isEmpty(), qPrintable(VisibleTopLevelWindows().join(", ")));
}

void tst_AdvanceKeys::tabFollowsTheScreen()
{
    KeysFixture fixture;
    AdvanceScheduleEditForm form(fixture.app.context, std::nullopt);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.findChild<QComboBox *>("StartYearCombo")->setFocus();
    QStringList reached {QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 15; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(
            reached,
            QStringList({"StartYearCombo", "StartMonthCombo", "StartDayCombo", "StopYearCombo",
                         "StopMonthCombo", "StopDayCombo", "WeekdayCombo", "StartHourCombo",
                         "StartMinuteCombo", "StartSecondCombo", "StopHourCombo", "StopMinuteCombo",
                         "StopSecondCombo", "OKCmd", "CancelCmd", "StartYearCombo"}));
    form.reject();
}

void tst_AdvanceKeys::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << "OKCmd" << int(QDialog::Accepted);
    QTest::newRow("Cancel, not the default OK") << "CancelCmd" << int(QDialog::Rejected);
}

void tst_AdvanceKeys::enterPressesTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    KeysFixture fixture;
    AdvanceScheduleEditForm form(fixture.app.context, std::nullopt);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto *focused = form.findChild<QPushButton *>(button);
    focused->setFocus();
    QVERIFY(QTest::qWaitFor([focused] { return focused->hasFocus(); }));
    QTest::keyClick(focused, Qt::Key_Return);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), result);
}

void tst_AdvanceKeys::framesNameTheirLists_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("title");
    const int ja = Japanese;
    QTest::newRow("start year") << ja << "StartYearCombo"
                                << "StartDateFrame"
                                << "再生開始日";
    QTest::newRow("stop year") << ja << "StopYearCombo"
                               << "StopDateFrame"
                               << "停止日";
    QTest::newRow("week day") << ja << "WeekdayCombo"
                              << "WeekDayFrame"
                              << "曜日設定";
    QTest::newRow("start second") << ja << "StartSecondCombo"
                                  << "StartTimeFrame"
                                  << "再生時間";
    QTest::newRow("stop hour") << ja << "StopHourCombo"
                               << "StopTimeFrame"
                               << "停止時間";
    QTest::newRow("English stop day") << int(English) << "StopDayCombo"
                                      << "StopDateFrame"
                                      << "Stop Date";
}

// Each inner frame reports its own title, and each list is labelled by it.
void tst_AdvanceKeys::framesNameTheirLists()
{
    QFETCH(int, language);
    QFETCH(QString, list);
    QFETCH(QString, frame);
    QFETCH(QString, title);
    KeysFixture fixture(static_cast<short>(language));
    AdvanceScheduleEditForm form(fixture.app.context, std::nullopt);
    QAccessibleInterface *framed =
            QAccessible::queryAccessibleInterface(form.findChild<QGroupBox *>(frame));
    QVERIFY(framed);
    QCOMPARE(framed->text(QAccessible::Name), title);

    QAccessibleInterface *combo =
            QAccessible::queryAccessibleInterface(form.findChild<QComboBox *>(list));
    QVERIFY(combo);
    QStringList labels;
    for (const auto &[label, relation] : combo->relations(QAccessible::Label))
        labels.append(label->text(QAccessible::Name));
    QVERIFY2(labels.contains(title), qPrintable(labels.join(", ")));
}

QTEST_MAIN(tst_AdvanceKeys)
#include "tst_advancekeys.moc"
