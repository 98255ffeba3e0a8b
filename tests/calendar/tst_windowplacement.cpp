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
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("placed");
    const QRect fullHd(0, 0, 1920, 1050);
    const QSize calendar(900, 750);
    QTest::newRow("room on the right")
            << QRect(100, 100, 800, 700) << calendar << fullHd << QRect(900, 100, 900, 750);
    QTest::newRow("room on the left only")
            << QRect(1000, 50, 900, 700) << calendar << fullHd << QRect(100, 50, 900, 750);
    QTest::newRow("narrower to fit beside")
            << QRect(0, 0, 1200, 800) << calendar << fullHd << QRect(1200, 0, 720, 750);
    QTest::newRow("kept within the screen's height")
            << QRect(100, 600, 800, 400) << calendar << fullHd << QRect(900, 300, 900, 750);
    QTest::newRow("second screen") << QRect(2000, 100, 800, 700) << calendar
                                   << QRect(1920, 0, 1920, 1080) << QRect(2800, 100, 900, 750);
    QTest::newRow("no room: against the edge")
            << QRect(0, 0, 1280, 1000) << calendar << QRect(0, 0, 1280, 1000)
            << QRect(380, 0, 900, 750);
    QTest::newRow("small screen: the whole of it")
            << QRect(0, 0, 600, 500) << QSize(1100, 800) << QRect(0, 0, 1024, 700)
            << QRect(0, 0, 1024, 700);
}

void TestWindowPlacement::placesBesideTheOwner()
{
    QFETCH(QRect, owner);
    QFETCH(QSize, preferred);
    QFETCH(QRect, area);
    QFETCH(QRect, placed);
    QCOMPARE(PlaceBeside(owner, preferred, QSize(600, 400), area), placed);
}

QTEST_APPLESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
