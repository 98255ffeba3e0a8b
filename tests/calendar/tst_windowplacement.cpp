// Where the calendar opens the first time: beside the main window where the screen has room,
// else covering it as little as its size allows, always within the screen.

#include "WindowPlacement.h"

#include <QtTest>

using namespace nerav;

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private slots:
    void placesBesideTheOwner_data();
    void placesBesideTheOwner();
};

void TestWindowPlacement::placesBesideTheOwner_data()
{
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<QSize>("preferred");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("placed");
    const QRect fullHd(0, 0, 1920, 1050);
    const QSize calendar(900, 750);
    const QSize least(600, 400);
    QTest::newRow("room on the right") << QRect(100, 100, 800, 700) << calendar << least << fullHd
                                       << QRect(900, 100, 900, 750);
    QTest::newRow("room on the left only")
            << QRect(1000, 50, 900, 700) << calendar << least << fullHd << QRect(100, 50, 900, 750);
    QTest::newRow("room below only")
            << QRect(0, 0, 1900, 300) << calendar << least << fullHd << QRect(0, 300, 900, 750);
    QTest::newRow("narrower to fit beside")
            << QRect(0, 0, 1200, 800) << calendar << least << fullHd << QRect(1200, 0, 720, 750);
    QTest::newRow("kept within the screen's height")
            << QRect(100, 600, 800, 400) << calendar << least << fullHd
            << QRect(900, 300, 900, 750);
    QTest::newRow("second screen") << QRect(2000, 100, 800, 700) << calendar << least
                                   << QRect(1920, 0, 1920, 1080) << QRect(2800, 100, 900, 750);
    QTest::newRow("too little room: the corner covering least")
            << QRect(0, 0, 780, 619) << QSize(1400, 751) << QSize(853, 500)
            << QRect(0, 0, 1280, 1024) << QRect(320, 273, 960, 751);
    QTest::newRow("small screen: three quarters of it")
            << QRect(0, 0, 600, 500) << QSize(1100, 800) << least << QRect(0, 0, 1024, 700)
            << QRect(256, 175, 768, 525);
    QTest::newRow("maximized owner") << QRect(0, 0, 1280, 1000) << calendar << least
                                     << QRect(0, 0, 1280, 1000) << QRect(380, 0, 900, 750);
}

void TestWindowPlacement::placesBesideTheOwner()
{
    QFETCH(QRect, owner);
    QFETCH(QSize, preferred);
    QFETCH(QSize, minimum);
    QFETCH(QRect, area);
    QFETCH(QRect, placed);
    QCOMPARE(PlaceBeside(owner, preferred, minimum, area), placed);
}

QTEST_APPLESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
