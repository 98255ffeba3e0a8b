// nrvtool days: the advance schedules on each day of a range, as lines and as JSON; an
// unreadable schedule exits 1, wrong usage and ranges over 10 years exit 2.

#include "TestFiles.h"
#include "ToolRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace nerav;
using namespace nerav::test;

namespace {

// Thursdays over the year end, a weekend, and one day on which 0 and 2 overlap.
const char Schedule[] = R"({"advance": [
  {"start": "2006-12-28 00:00:00", "stop": "2007-01-05 23:59:59", "weekDay": 4,
   "details": [{"name": "a.jpg"}]},
  {"start": "2006-12-30 09:00:00", "stop": "2006-12-31 18:00:00", "weekDay": 7,
   "details": [{"name": "b.jpg"}]},
  {"start": "2006-12-28 10:00:00", "stop": "2006-12-28 11:30:00",
   "details": [{"name": "c.jpg"}]}]})";

} // namespace

class TestNrvToolDays : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void linesPerDay();
    void jsonDocument();
    void refusals_data();
    void refusals();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
};

void TestNrvToolDays::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const QString folder = m_dir->path() + '/';
    QVERIFY(WriteFile(folder + "in.json", Schedule));
    m_file = folder + "s.nrv";
    QCOMPARE(RunTool({"make", folder + "in.json", m_file}).exitCode, 0);
}

void TestNrvToolDays::linesPerDay()
{
    const ToolRun run = RunTool({"days", m_file, "2006-12-27", "2007-01-05"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out,
             QStringLiteral("2006-12-27 Wed basic\n"
                            "2006-12-28 Thu 0 00:00:00-23:59:59 2 10:00:00-11:30:00\n"
                            "2006-12-29 Fri basic\n"
                            "2006-12-30 Sat 1 09:00:00-18:00:00\n"
                            "2006-12-31 Sun 1 09:00:00-18:00:00\n"
                            "2007-01-01 Mon basic\n"
                            "2007-01-02 Tue basic\n"
                            "2007-01-03 Wed basic\n"
                            "2007-01-04 Thu 0 00:00:00-23:59:59\n"
                            "2007-01-05 Fri basic\n"));

    // A one-day range, the longest range, and a leap day far from any schedule.
    QCOMPARE(RunTool({"days", m_file, "2006-12-28", "2006-12-28"}).out.count('\n'), 1);
    QCOMPARE(RunTool({"days", m_file, "2000-01-01", "2009-12-31"}).out.count('\n'), 3653);
    QCOMPARE(RunTool({"days", m_file, "2096-02-29", "2096-02-29"}).out,
             QStringLiteral("2096-02-29 Wed basic\n"));
}

void TestNrvToolDays::jsonDocument()
{
    const ToolRun run = RunTool({"days", "--json", m_file, "2006-12-28", "2006-12-29"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(document.isArray());
    const QJsonArray days = document.array();
    const QJsonArray expected {
            QJsonObject {
                    {"date", "2006-12-28"},
                    {"weekDay", 4},
                    {"advance",
                     QJsonArray {QJsonObject {
                                         {"index", 0}, {"start", "00:00:00"}, {"stop", "23:59:59"}},
                                 QJsonObject {{"index", 2},
                                              {"start", "10:00:00"},
                                              {"stop", "11:30:00"}}}}},
            QJsonObject {{"date", "2006-12-29"}, {"weekDay", 5}, {"advance", QJsonArray()}}};
    QVERIFY2(days == expected, qPrintable(run.out));
    QVERIFY(run.out.endsWith('\n'));
    // The option may also come last.
    QCOMPARE(RunTool({"days", m_file, "2006-12-28", "2006-12-29", "--json"}).out, run.out);
}

void TestNrvToolDays::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");
    const QString file = QStringLiteral("FILE");
    QTest::newRow("missingTo") << QStringList {"days", file, "2007-01-01"} << 2 << "Usage:";
    QTest::newRow("extra") << QStringList {"days", file, "2007-01-01", "2007-01-02", "x"} << 2
                           << "Usage:";
    QTest::newRow("notADate") << QStringList {"days", file, "2007-02-29", "2007-03-01"} << 2
                              << "YYYY-MM-DD";
    QTest::newRow("shortForm") << QStringList {"days", file, "2007-1-1", "2007-01-02"} << 2
                               << "YYYY-MM-DD";
    QTest::newRow("negativeYear") << QStringList {"days", file, "-2025-01-01", "2025-01-02"} << 2
                                  << "FROM \"-2025-01-01\" is not a date YYYY-MM-DD";
    QTest::newRow("backwards") << QStringList {"days", file, "2007-01-02", "2007-01-01"} << 2
                               << "at most 10 years";
    QTest::newRow("tenYearsAndADay")
            << QStringList {"days", file, "2000-01-01", "2010-01-01"} << 2 << "at most 10 years";
    QTest::newRow("unreadable") << QStringList {"days", "/nonexistent/s.nrv", "2007-01-01",
                                                "2007-01-02"}
                                << 1 << "nrvtool: ";
}

void TestNrvToolDays::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    arguments.replaceInStrings(QStringLiteral("FILE"), m_file);

    const ToolRun run = RunTool(arguments);

    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    QCOMPARE(run.out, QString());
}

QTEST_GUILESS_MAIN(TestNrvToolDays)
#include "tst_nrvtooldays.moc"
