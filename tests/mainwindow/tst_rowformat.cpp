// Row texts of the three lists.

#include "DocumentNames.h"
#include "MainWindowFixture.h"
#include "RowFormat.h"

#include <QTest>

using namespace nerav;
using nerav::test::MakeEntry;

class RowFormatTest : public QObject
{
    Q_OBJECT

private slots:
    void entryRow_data();
    void entryRow();
    void advanceRow_data();
    void advanceRow();
    void extensionRule_data();
    void extensionRule();
};

static QString sp(int count)
{
    return QString(count, QLatin1Char(' '));
}

void RowFormatTest::entryRow_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("ext");
    QTest::addColumn<int>("playTimes");
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("row");

    QTest::newRow("example SONG.MP3") << QByteArray("SONG") << QByteArray("MP3") << 10 << 5
                                      << int(English) << "SONG.MP3" + sp(18) + "10" + sp(9) + "5";
    QTest::newRow("volume 13, English")
            << QByteArray("SONG") << QByteArray("MP3") << 10 << 13 << int(English)
            << "SONG.MP3" + sp(18) + "10" + sp(1) + sp(5) + "Default";
    QTest::newRow("volume 13, Japanese")
            << QByteArray("SONG") << QByteArray("MP3") << 10 << 13 << int(Japanese)
            << "SONG.MP3" + sp(18) + "10" + sp(1) + sp(5) + QStringLiteral("標準");
    QTest::newRow("16-char name, 4-char ext, 100, 12")
            << QByteArray("ABCDEFGHIJKLMNOP") << QByteArray("WXYZ") << 100 << 12 << int(English)
            << "ABCDEFGHIJKLMNOP.WXYZ" + sp(5) + "100" + sp(8) + "12";
    QTest::newRow("empty extension, play 0, volume 0")
            << QByteArray("A") << QByteArray() << 0 << 0 << int(English)
            << "A." + sp(24) + "0" + sp(2) + sp(8) + "0";
    QTest::newRow("inner zero byte closes up")
            << QByteArray("AB\0CD", 5) << QByteArray("MP3") << 1 << 7 << int(Japanese)
            << "ABCD.MP3" + sp(18) + "1" + sp(2) + sp(8) + "7";
    QTest::newRow("play count above 100 in all its digits")
            << QByteArray("X") << QByteArray("JPG") << 255 << 1 << int(English)
            << "X.JPG" + sp(21) + "255" + sp(8) + "1";
    QTest::newRow("byte above 127 shown as Latin-1")
            << QByteArray("\xC9T\xE9") << QByteArray("MP3") << 3 << 4 << int(English)
            << QStringLiteral("\u00C9T\u00E9.MP3") + sp(19) + "3" + sp(2) + sp(8) + "4";
}

void RowFormatTest::entryRow()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, ext);
    QFETCH(int, playTimes);
    QFETCH(int, volume);
    QFETCH(int, language);
    QFETCH(QString, row);

    InterfaceText text;
    LoadInterfaceText(text, short(language));
    QCOMPARE(FormatEntryRow(MakeEntry(name, ext, playTimes, volume), text.captions), row);
}

void RowFormatTest::advanceRow_data()
{
    // start y m d h m s, stop y m d h m s (year bytes)
    QTest::addColumn<QList<int>>("window");
    QTest::addColumn<int>("weekDay");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("row");

    QTest::newRow("example") << QList<int> {6, 12, 28, 9, 30, 0, 7, 1, 5, 18, 0, 59} << 3
                             << int(English)
                             << "2006/12/28 09:30:00" + sp(2) + "2007/01/05 18:00:59" + sp(2) +
                    "Wednesday";
    QTest::newRow("Sunday in Japanese")
            << QList<int> {6, 12, 28, 0, 0, 0, 7, 1, 5, 23, 59, 59} << 0 << int(Japanese)
            << "2006/12/28 00:00:00" + sp(2) + "2007/01/05 23:59:59" + sp(2) +
                    QStringLiteral("日曜日");
    QTest::newRow("weekDay 7 in Japanese")
            << QList<int> {7, 5, 3, 0, 0, 0, 7, 6, 30, 23, 59, 59} << 7 << int(Japanese)
            << "2007/05/03 00:00:00" + sp(2) + "2007/06/30 23:59:59" + sp(2) +
                    QStringLiteral("毎日");
    QTest::newRow("weekDay above 7")
            << QList<int> {7, 5, 3, 0, 0, 0, 7, 6, 30, 23, 59, 59} << 200 << int(English)
            << "2007/05/03 00:00:00" + sp(2) + "2007/06/30 23:59:59" + sp(2) + "Every day";
    QTest::newRow("year bytes 0 and 255, month 0")
            << QList<int> {0, 0, 1, 0, 0, 0, 255, 12, 31, 23, 59, 59} << 6 << int(English)
            << "2000/00/01 00:00:00" + sp(2) + "2255/12/31 23:59:59" + sp(2) + "Saturday";
    // A value no editor offers keeps all its digits and two spaces before the next column.
    QTest::newRow("three-digit day and hour")
            << QList<int> {7, 1, 100, 0, 0, 0, 7, 2, 1, 200, 0, 0} << 1 << int(English)
            << "2007/01/100 00:00:00" + sp(2) + "2007/02/01 200:00:00" + sp(2) + "Monday";
}

void RowFormatTest::advanceRow()
{
    QFETCH(QList<int>, window);
    QFETCH(int, weekDay);
    QFETCH(int, language);
    QFETCH(QString, row);

    AdvanceSchedule schedule;
    std::uint8_t *parts[] = {&schedule.startYear, &schedule.startMonth,  &schedule.startDay,
                             &schedule.startHour, &schedule.startMinute, &schedule.startSecond,
                             &schedule.stopYear,  &schedule.stopMonth,   &schedule.stopDay,
                             &schedule.stopHour,  &schedule.stopMinute,  &schedule.stopSecond};
    for (int i = 0; i < 12; ++i)
        *parts[i] = std::uint8_t(window[i]);
    schedule.weekDay = std::uint8_t(weekDay);
    InterfaceText text;
    LoadInterfaceText(text, short(language));
    const QString shown = FormatAdvanceRow(schedule, text.captions);
    QCOMPARE(shown, row);
    // Where the digits fit, the columns start where the headings are placed.
    if (window[2] < 100) {
        QCOMPARE(shown.mid(AdvanceStopColumn, 10), row.mid(21, 10));
        QCOMPARE(shown.mid(AdvanceWeekDayColumn), text.captions.weekDayName(weekDay));
        QVERIFY(shown.size() <= AdvanceRowWidth);
    }
}

void RowFormatTest::extensionRule_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::newRow("no extension") << "abc"
                                  << "abc.nrv";
    QTest::newRow("short name with a dot") << "x.ab"
                                           << "x.ab.nrv";
    QTest::newRow("any three-letter extension stays") << "plan.txt"
                                                      << "plan.txt";
    QTest::newRow("four-letter extension") << "plan.nrv2"
                                           << "plan.nrv2.nrv";
    QTest::newRow("already .nrv") << "plan.nrv"
                                  << "plan.nrv";
    QTest::newRow("empty") << ""
                           << ".nrv";
}

void RowFormatTest::extensionRule()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QCOMPARE(ApplyExtensionRule(typed), name);
}

QTEST_MAIN(RowFormatTest)
#include "tst_rowformat.moc"
