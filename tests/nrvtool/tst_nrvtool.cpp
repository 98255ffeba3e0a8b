// nrvtool: dump and make round-trip; make refuses what the program's editors and Save refuse,
// naming the place in the JSON; usage errors exit 2.

#include "ScheduleCodec.h"
#include "ScheduleFile.h"
#include "ScriptedRandom.h"
#include "TestFiles.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace nerav;
using namespace nerav::test;

namespace {

const char FullSchedule[] = R"({
  "basic": [
    {"name": "  clip.jpg ", "playTimes": 3, "volume": 5},
    {"name": "1234567890123456.jpeg", "volume": "default"},
    {"name": "a.b.c", "playTimes": 100, "volume": 12},
    {"name": "noext.", "playTimes": 0, "volume": 0}
  ],
  "advance": [
    {"start": "2006-12-28 00:00:00", "stop": "2007-01-05 23:59:59", "weekDay": 3,
     "details": [{"name": "song.mp3", "playTimes": 1, "volume": 13}]},
    {"start": "2008-02-29 08:30:00", "stop": "2008-02-29 08:30:01",
     "details": [{"name": ".avi"}, {"name": "x_y-z.vob", "playTimes": 7}]}
  ]
})";

const char OneEntry[] = R"({"basic": [{"name": "clip.jpg"}]})";

QByteArray WithAdvance(const char *advance)
{
    return QByteArray(R"({"basic": [{"name": "clip.jpg"}], "advance": [)") + advance + "]}";
}

const char GoodDates[] = R"("start": "2007-01-01 00:00:00", "stop": "2007-01-02 23:59:59")";

QByteArray Advance(const QByteArray &fields)
{
    return "{" + fields + R"(, "details": [{"name": "a.jpg"}]})";
}

} // namespace

class TestNrvTool : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void makeThenDumpRoundTrips();
    void dumpShowsStoredValuesOfForeignFiles();
    void dumpOfDamagedFileNamesProblemAndOffset();
    void makeRefusesWithThePlace_data();
    void makeRefusesWithThePlace();
    void makeKeepsOldFileWhenRefused();
    void makeWritesOnlyRegularFiles_data();
    void makeWritesOnlyRegularFiles();
    void dumpRefusesAFifoAtOnce();
    void makeReadsOnlyBoundedRegularInput_data();
    void makeReadsOnlyBoundedRegularInput();
    void makeWritesTheLongestName();
    void makeKeepsPermissionsAndOwner();
    void pathsMeanWhatTheSystemMeans();
    void usageErrorsExitTwo_data();
    void usageErrorsExitTwo();
    void optionProblemsExitTwo_data();
    void optionProblemsExitTwo();
    void namesStartingWithDashFollowTheEnd();
    void executableRunsAsCommand();
    void namesNotValidUtf8AreRefused_data();
    void namesNotValidUtf8AreRefused();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
};

void TestNrvTool::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = m_dir->path() + '/';
}

void TestNrvTool::makeThenDumpRoundTrips()
{
    QVERIFY(WriteFile(m_folder + "in.json", FullSchedule));
    const ToolRun make = RunTool({"make", m_folder + "in.json", m_folder + "out.nrv"});
    QCOMPARE(make.exitCode, 0);
    QCOMPARE(make.err, QString());

    const ToolRun dump = RunTool({"dump", m_folder + "out.nrv"});
    QCOMPARE(dump.exitCode, 0);
    const QJsonDocument json = QJsonDocument::fromJson(dump.out.toUtf8());
    const QJsonDocument expected = QJsonDocument::fromJson(R"({
      "basic": [
        {"name": "CLIP.JPG", "playTimes": 3, "volume": 5},
        {"name": "1234567890123456.JPEG", "playTimes": 1, "volume": 13},
        {"name": "A.B.C", "playTimes": 100, "volume": 12},
        {"name": "NOEXT.", "playTimes": 0, "volume": 0}
      ],
      "advance": [
        {"start": "2006-12-28 00:00:00", "stop": "2007-01-05 23:59:59", "weekDay": 3,
         "details": [{"name": "SONG.MP3", "playTimes": 1, "volume": 13}]},
        {"start": "2008-02-29 08:30:00", "stop": "2008-02-29 08:30:01", "weekDay": 7,
         "details": [{"name": ".AVI", "playTimes": 1, "volume": 13},
                     {"name": "X_Y-Z.VOB", "playTimes": 7, "volume": 13}]}
      ]
    })");
    QCOMPARE(json, expected);

    QVERIFY(WriteFile(m_folder + "again.json", dump.out.toUtf8()));
    QCOMPARE(RunTool({"make", m_folder + "again.json", m_folder + "again.nrv"}).exitCode, 0);
    const ToolRun again = RunTool({"dump", m_folder + "again.nrv"});
    QCOMPARE(again.out, dump.out);
}

void TestNrvTool::dumpShowsStoredValuesOfForeignFiles()
{
    ScheduleDocument document;
    AdvanceSchedule schedule;
    schedule.startYear = 120;
    schedule.startMonth = 100;
    schedule.startDay = 7;
    schedule.weekDay = 9;
    ScheduleEntry entry;
    entry.fileName = {'A', 0, 'B', '"', 200};
    entry.playTimes = 120;
    entry.volume = 40;
    schedule.details = {entry};
    document.advanceSchedules = {schedule};
    ScriptedRandom random({}, 0.0); // a key of zeros carries the byte 200
    QVERIFY(WriteScheduleFile(m_folder + "foreign.nrv", document, random).ok);

    const ToolRun dump = RunTool({"dump", m_folder + "foreign.nrv"});

    QCOMPARE(dump.exitCode, 0);
    QVERIFY2(dump.out.contains(R"("start": "2120-100-07 00:00:00")"), qPrintable(dump.out));
    QVERIFY(dump.out.contains(R"("weekDay": 9)"));
    const QJsonObject detail = QJsonDocument::fromJson(dump.out.toUtf8())
                                       .object()["advance"][0]["details"][0]
                                       .toObject();
    QCOMPARE(detail["name"].toString(), QString("AB\"") + QChar(200) + ".");
    QVERIFY(dump.out.contains(R"("volume": 40)"));
}

void TestNrvTool::dumpOfDamagedFileNamesProblemAndOffset()
{
    QVERIFY(WriteFile(m_folder + "in.json", OneEntry));
    QCOMPARE(RunTool({"make", m_folder + "in.json", m_folder + "ok.nrv"}).exitCode, 0);
    QFile file(m_folder + "ok.nrv");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(WriteFile(m_folder + "cut.nrv", file.readAll().chopped(3)));

    const ToolRun dump = RunTool({"dump", m_folder + "cut.nrv"});

    QCOMPARE(dump.exitCode, 1);
    QCOMPARE(dump.out, QString());
    QVERIFY2(dump.err.contains("the file ends at byte") &&
                     dump.err.contains("basic entry 1 of 1") && dump.err.contains("byte offset"),
             qPrintable(dump.err));
    QCOMPARE(RunTool({"dump", m_folder + "missing.nrv"}).exitCode, 1);
}

void TestNrvTool::makeRefusesWithThePlace_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error");

    QTest::newRow("notJson") << QByteArray("{\"basic\": [") << "(json): ";
    QTest::newRow("notObject") << QByteArray("[]") << "(json): must be an object";
    QTest::newRow("unknownKey") << QByteArray(R"({"basic": [{"name": "a.jpg", "volum": 3}]})")
                                << "basic[0].volum: unknown key";
    QTest::newRow("empty") << QByteArray("{}") << "(schedule): no basic entry";
    QTest::newRow("nameMissing") << QByteArray(R"({"basic": [{"playTimes": 2}]})")
                                 << "basic[0].name: missing";
    QTest::newRow("nameSpace") << QByteArray(R"({"basic": [{"name": "my clip.jpg"}]})")
                               << "basic[0].name: \"my clip.jpg\" is not a name";
    QTest::newRow("nameLong")
            << QByteArray(R"({"basic": [{"name": "a.jpg"}, {"name": "12345678901234567.jpg"}]})")
            << "basic[1].name: ";
    QTest::newRow("extLong") << QByteArray(R"({"basic": [{"name": "clip.mpeg4"}]})")
                             << "basic[0].name: ";
    QTest::newRow("nonAscii") << QByteArray(R"({"basic": [{"name": "caf\u00e9.jpg"}]})")
                              << "basic[0].name: ";
    QTest::newRow("playTimes") << QByteArray(R"({"basic": [{"name": "a.jpg", "playTimes": 101}]})")
                               << "basic[0].playTimes: must be a whole number from 0 to 100";
    QTest::newRow("playTimesFraction")
            << QByteArray(R"({"basic": [{"name": "a.jpg", "playTimes": 1.5}]})")
            << "basic[0].playTimes: ";
    QTest::newRow("volume") << QByteArray(R"({"basic": [{"name": "a.jpg", "volume": 14}]})")
                            << "basic[0].volume: ";
    QTest::newRow("volumeWord") << QByteArray(R"({"basic": [{"name": "a.jpg", "volume": "loud"}]})")
                                << "basic[0].volume: ";
    QTest::newRow("detailName")
            << WithAdvance(R"({"start": "2007-01-01 00:00:00", "stop": "2007-01-01 00:00:01",
                   "details": [{"name": "a.jpg"}]},
                   {"start": "2007-01-01 00:00:00", "stop": "2007-01-01 00:00:01",
                   "details": [{"name": "a.jpg"}]},
                   {"start": "2007-01-01 00:00:00", "stop": "2007-01-01 00:00:01",
                   "details": [{"name": "bad(1).jpg"}]})")
            << "advance[2].details[0].name: ";
    QTest::newRow("february29")
            << WithAdvance(
                       Advance(R"("start": "2007-02-29 00:00:00", "stop": "2007-03-01 00:00:01")"))
            << "advance[0].start: 2007-02-29 00:00:00: the day must be 1 to 28";
    QTest::newRow("year2100")
            << WithAdvance(
                       Advance(R"("start": "2007-01-01 00:00:00", "stop": "2100-01-01 00:00:01")"))
            << "advance[0].stop: 2100-01-01 00:00:01: the year must be 2000 to 2099";
    QTest::newRow("badForm")
            << WithAdvance(
                       Advance(R"("start": "2007-1-1 00:00:00", "stop": "2007-01-01 00:00:01")"))
            << "advance[0].start: must be a text YYYY-MM-DD HH:MM:SS";
    QTest::newRow("hour24")
            << WithAdvance(
                       Advance(R"("start": "2007-01-01 24:00:00", "stop": "2007-01-02 00:00:01")"))
            << "advance[0].start: ";
    QTest::newRow("stopMissing") << WithAdvance(Advance(R"("start": "2007-01-01 00:00:00")"))
                                 << "advance[0].stop: missing";
    QTest::newRow("dateOrder")
            << WithAdvance(
                       Advance(R"("start": "2007-01-02 00:00:00", "stop": "2007-01-01 00:00:01")"))
            << "advance[0]: the start date is after the stop date";
    QTest::newRow("timeOrder")
            << WithAdvance(
                       Advance(R"("start": "2007-01-01 22:00:00", "stop": "2007-01-02 06:00:00")"))
            << "advance[0]: the start time of day is not before the stop time";
    QTest::newRow("equalTimes")
            << WithAdvance(
                       Advance(R"("start": "2007-01-01 06:00:00", "stop": "2007-01-01 06:00:00")"))
            << "advance[0]: the start time";
    QTest::newRow("weekDay") << WithAdvance(Advance(QByteArray(GoodDates) + R"(, "weekDay": 8)"))
                             << "advance[0].weekDay: must be a whole number from 0 to 7";
    QTest::newRow("noDetails")
            << WithAdvance(QByteArray("{") + GoodDates + "}, " + Advance(GoodDates) + ", {" +
                           GoodDates + R"(, "details": []})")
            << "advance[0].details: an advance schedule needs at least one entry";

    QByteArray many = R"({"basic": [)";
    for (int n = 0; n < 251; ++n)
        many += QByteArray(n ? "," : "") + R"({"name": "a.jpg"})";
    QTest::newRow("tooManyBasic") << many + "]}"
                                  << "basic: 251 entries; at most 250";
    auto scheduleWith = [](int entries) {
        QByteArray schedule = "{" + QByteArray(GoodDates) + R"(, "details": [)";
        for (int n = 0; n < entries; ++n)
            schedule += QByteArray(n ? "," : "") + R"({"name": "a.jpg"})";
        return schedule + "]}";
    };
    QTest::newRow("tooManyDetails")
            << WithAdvance(scheduleWith(101)) << "advance[0].details: 101 entries; at most 100";
    // 50 + 10 * 15 + 1000 * 30 = 30,200: each list within its limit, the whole too large.
    QByteArray large = R"({"advance": [)";
    for (int n = 0; n < 10; ++n)
        large += (n ? "," : "") + scheduleWith(100);
    QTest::newRow("tooLarge") << large + "]}"
                              << "(schedule): too many schedules";
}

void TestNrvTool::makeRefusesWithThePlace()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, error);
    QVERIFY(WriteFile(m_folder + "in.json", json));

    const ToolRun make = RunTool({"make", m_folder + "in.json", m_folder + "out.nrv"});

    QCOMPARE(make.exitCode, 1);
    QVERIFY2(make.err.contains(m_folder + "in.json: " + error), qPrintable(make.err));
    QVERIFY(make.err.contains("nothing written"));
    QVERIFY(!QFile::exists(m_folder + "out.nrv"));
}

void TestNrvTool::makeKeepsOldFileWhenRefused()
{
    QVERIFY(WriteFile(m_folder + "good.json", OneEntry));
    QVERIFY(WriteFile(m_folder + "bad.json", "{}"));
    QCOMPARE(RunTool({"make", m_folder + "good.json", m_folder + "out.nrv"}).exitCode, 0);
    QFile file(m_folder + "out.nrv");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    QCOMPARE(RunTool({"make", m_folder + "bad.json", m_folder + "out.nrv"}).exitCode, 1);
    QCOMPARE(RunTool({"make", m_folder + "missing.json", m_folder + "out.nrv"}).exitCode, 1);

    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void TestNrvTool::makeWritesOnlyRegularFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<mode_t>("type");
    QTest::newRow("folder") << "a folder" << mode_t(S_IFDIR);
    QTest::newRow("FIFO") << "a FIFO" << mode_t(S_IFIFO);
    QTest::newRow("device node") << "a device node" << mode_t(S_IFCHR);
}

void TestNrvTool::makeWritesOnlyRegularFiles()
{
    QFETCH(QString, kind);
    QFETCH(mode_t, type);
    const QByteArray out = QFile::encodeName(m_folder + "out.nrv");
    const int made = type == S_IFDIR
            ? ::mkdir(out, 0755)
            : ::mknod(out, type | 0644, type == S_IFCHR ? makedev(1, 3) : 0);
    if (made != 0)
        QSKIP("this node cannot be made here");
    QVERIFY(WriteFile(m_folder + "in.json", OneEntry));

    const ToolRun make = RunTool({"make", m_folder + "in.json", m_folder + "out.nrv"});

    QCOMPARE(make.exitCode, 1);
    QCOMPARE(make.err,
             "nrvtool: Cannot write " + m_folder + "out.nrv: it is " + kind +
                     ", not a regular file\n");
    struct stat after;
    QCOMPARE(::lstat(out, &after), 0);
    QCOMPARE(after.st_mode & S_IFMT, type);
    QVERIFY(QDir(m_folder)
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::System)
                    .filter("nerav-tmp")
                    .isEmpty());
}

void TestNrvTool::dumpRefusesAFifoAtOnce()
{
    QCOMPARE(::mkfifo(QFile::encodeName(m_folder + "pipe.nrv"), 0644), 0);
    const ToolRun dump = RunTool({"dump", m_folder + "pipe.nrv"});
    QCOMPARE(dump.exitCode, 1);
    QCOMPARE(dump.err, "nrvtool: Cannot open " + m_folder + "pipe.nrv: it is not a regular file\n");
}

// Input that never ends or never comes is refused before anything is read.
void TestNrvTool::makeReadsOnlyBoundedRegularInput_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("error");
    QTest::newRow("device") << "/dev/zero"
                            << "nrvtool: cannot open /dev/zero: it is not a regular file\n";
    QTest::newRow("FIFO") << "FOLDER/pipe.json"
                          << "nrvtool: cannot open FOLDER/pipe.json: it is not a regular file\n";
    QTest::newRow("oversized") << "FOLDER/big.json"
                               << "nrvtool: FOLDER/big.json is 1048577 bytes, too large for a "
                                  "schedule (at most 1048576)\n";
}

void TestNrvTool::makeReadsOnlyBoundedRegularInput()
{
    QFETCH(QString, input);
    QFETCH(QString, error);
    input.replace("FOLDER/", m_folder);
    error.replace("FOLDER/", m_folder);
    QCOMPARE(::mkfifo(QFile::encodeName(m_folder + "pipe.json"), 0644), 0);
    // Valid JSON, only far longer than any schedule.
    QVERIFY(WriteFile(m_folder + "big.json",
                      OneEntry +
                              QByteArray(1024 * 1024 + 1 - qsizetype(sizeof OneEntry - 1), ' ')));

    const ToolRun make = RunTool({"make", input, m_folder + "out.nrv"});

    QCOMPARE(make.exitCode, 1);
    QCOMPARE(make.err, error);
    QVERIFY(!QFile::exists(m_folder + "out.nrv"));
}

// The temporary file's name stays within the folder's name limit, the target keeps its name.
void TestNrvTool::makeWritesTheLongestName()
{
    const long limit = ::pathconf(QFile::encodeName(m_folder), _PC_NAME_MAX);
    QVERIFY(limit > 4);
    const QString out = m_folder + QString(limit - 4, u'n') + ".nrv";
    QVERIFY(WriteFile(m_folder + "in.json", OneEntry));

    const ToolRun make = RunTool({"make", m_folder + "in.json", out});

    QCOMPARE(make.err, QString());
    QCOMPARE(make.exitCode, 0);
    QCOMPARE(RunTool({"dump", out}).exitCode, 0);
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestNrvTool::makeKeepsPermissionsAndOwner()
{
    QVERIFY(WriteFile(m_folder + "in.json", OneEntry));
    const QString out = m_folder + "out.nrv";
    QVERIFY(WriteFile(out, "old"));
    QVERIFY(QFile::setPermissions(
            out, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(QFile::encodeName(out), 4321, 4321), 0);

    QCOMPARE(RunTool({"make", m_folder + "in.json", out}).exitCode, 0);

    struct stat after;
    QCOMPARE(::stat(QFile::encodeName(out), &after), 0);
    QCOMPARE(after.st_mode & 07777, mode_t(0640));
    if (root)
        QCOMPARE(after.st_uid, uid_t(4321));
    QCOMPARE(RunTool({"dump", out}).exitCode, 0);
}

// "link/../x.nrv" is the parent of the folder the link points to, as for the shell and ls.
void TestNrvTool::pathsMeanWhatTheSystemMeans()
{
    QVERIFY(QDir(m_folder).mkpath("real/sub"));
    QVERIFY(QFile::link(m_folder + "real/sub", m_folder + "link"));
    QVERIFY(WriteFile(m_folder + "in.json", OneEntry));

    QCOMPARE(RunTool({"make", m_folder + "in.json", m_folder + "link/../x.nrv"}).exitCode, 0);

    QVERIFY(QFile::exists(m_folder + "real/x.nrv"));
    QVERIFY(!QFile::exists(m_folder + "x.nrv"));
    QCOMPARE(RunTool({"dump", m_folder + "link/../x.nrv"}).exitCode, 0);
}

void TestNrvTool::usageErrorsExitTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList();
    QTest::newRow("unknownCommand") << QStringList {"show", "x.nrv"};
    QTest::newRow("dumpWithoutFile") << QStringList {"dump"};
    QTest::newRow("dumpTwoFiles") << QStringList {"dump", "a.nrv", "b.nrv"};
    QTest::newRow("makeWithoutOut") << QStringList {"make", "a.json"};
    QTest::newRow("helpWithMore") << QStringList {"--help", "dump"};
}

void TestNrvTool::usageErrorsExitTwo()
{
    QFETCH(QStringList, arguments);
    const ToolRun run = RunTool(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.startsWith("Usage: nrvtool dump FILE.nrv"));
    QCOMPARE(run.out, QString());
}

void TestNrvTool::optionProblemsExitTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown") << QStringList {"dump", "--all", "x.nrv"}
                             << "nrvtool: Unknown option 'all'.";
    QTest::newRow("beforeCommand")
            << QStringList {"--json", "days"} << "nrvtool: Unknown option 'json'.";
    QTest::newRow("ofAnotherCommand") << QStringList {"check", "S.NRV", "M", "--dry-run"}
                                      << "nrvtool: Unknown option 'dry-run'.";
    QTest::newRow("valueMissing") << QStringList {"check", "S.NRV", "M", "--media"}
                                  << "nrvtool: Missing value after '--media'.";
    QTest::newRow("publishWithoutMedia")
            << QStringList {"publish", "S.NRV", "M", "--json"} << "nrvtool: publish needs --media";
    QTest::newRow("dashName") << QStringList {"dump", "-x.nrv"} << "goes after \"--\"";
    QTest::newRow("helpOfCommand") << QStringList {"make", "--help"} << "Unknown option 'help'";
}

void TestNrvTool::optionProblemsExitTwo()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const ToolRun run = RunTool(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("nrvtool: ") && run.err.contains(error), qPrintable(run.err));
    QVERIFY(run.err.contains("\nUsage: nrvtool dump FILE.nrv"));
    QCOMPARE(run.out, QString());
}

// After "--" every argument is a name, also one that starts with '-' or "--".
void TestNrvTool::namesStartingWithDashFollowTheEnd()
{
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_folder));
    QVERIFY(WriteFile("-in.json", OneEntry));
    const ToolRun make = RunTool({"make", "--", "-in.json", "--out.nrv"});
    const ToolRun dump = RunTool({"dump", "--", "--out.nrv"});
    const ToolRun days = RunTool({"days", "--json", "--", "--out.nrv", "2007-01-01", "2007-01-01"});
    QVERIFY(QDir::setCurrent(before));

    QCOMPARE(make.exitCode, 0);
    QVERIFY(QFile::exists(m_folder + "--out.nrv"));
    QCOMPARE(dump.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(dump.out.toUtf8())["basic"][0]["name"].toString(),
             QString("CLIP.JPG"));
    QCOMPARE(days.exitCode, 0);
    QVERIFY(QJsonDocument::fromJson(days.out.toUtf8()).isArray());
}

void TestNrvTool::executableRunsAsCommand()
{
    QVERIFY(WriteFile(m_folder + "in.json", FullSchedule));
    QProcess process;
    process.start(NRVTOOL_PATH, {"--help"});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(process.readAllStandardOutput().contains("nrvtool make SCHEDULE.json OUT.nrv"));

    process.start(NRVTOOL_PATH, {"make", m_folder + "in.json", m_folder + "a.nrv"});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 0);
    process.start(NRVTOOL_PATH, {"make", m_folder + "in.json", m_folder + "b.nrv"});
    QVERIFY(process.waitForFinished());
    QFile a(m_folder + "a.nrv");
    QFile b(m_folder + "b.nrv");
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QVERIFY(a.readAll() != b.readAll()); // a new key for every file

    process.start(NRVTOOL_PATH, {"dump", m_folder + "a.nrv"});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(process.readAllStandardOutput().contains("\"CLIP.JPG\""));

    process.start(NRVTOOL_PATH, {});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 2);
}

void TestNrvTool::namesNotValidUtf8AreRefused_data()
{
    // Arguments after the program, with FOLDER/ standing for the test's folder.
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::newRow("make") << NRVTOOL_PATH
                          << QByteArrayList {"make", "FOLDER/in.json", "FOLDER/x\xff.nrv"};
    QTest::newRow("dump") << NRVTOOL_PATH << QByteArrayList {"dump", "FOLDER/x\xfe.nrv"};
    QTest::newRow("window") << NERAV_PROGRAM_PATH
                            << QByteArrayList {"--version", "FOLDER/x\xfe.nrv"};
}

void TestNrvTool::namesNotValidUtf8AreRefused()
{
    // The name would turn into x\uFFFD.nrv, and two such names into one file.
    QFETCH(QString, program);
    QFETCH(QByteArrayList, arguments);
    QVERIFY(WriteFile(m_folder + "in.json", FullSchedule));
    QVERIFY(WriteFile(m_folder + QString::fromUtf8("x\uFFFD.nrv"), "not a schedule"));
    QList<QByteArray> given {QFile::encodeName(program)};
    for (const QByteArray &argument : arguments)
        given.append(QByteArray(argument).replace("FOLDER/", QFile::encodeName(m_folder)));
    std::vector<char *> argv;
    for (QByteArray &argument : given)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    // The window's start needs no display; made before the fork, which only runs execve.
    QList<QByteArray> environment {"QT_QPA_PLATFORM=offscreen"};
    for (char **variable = environ; *variable; ++variable)
        if (!QByteArray(*variable).startsWith("QT_QPA_PLATFORM="))
            environment.append(*variable);
    std::vector<char *> envp;
    for (QByteArray &variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    int errors[2];
    QVERIFY(::pipe(errors) == 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(errors[1], 2);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(errors[1]);
    QFile err;
    QVERIFY(err.open(errors[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    const QByteArray said = err.readAll();
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 2);
    QVERIFY2(said.contains("\\xf") && said.contains("not valid UTF-8"), said.constData());
    QFile kept(m_folder + QString::fromUtf8("x\uFFFD.nrv"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("not a schedule"));
}

QTEST_GUILESS_MAIN(TestNrvTool)
#include "tst_nrvtool.moc"
