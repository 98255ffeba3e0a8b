#include "BenchFigures.h"
#include "LargestSchedule.h"
#include "Measure.h"

#include "PathParts.h"
#include "ProgramModule.h"
#include "QtPlatform.h"
#include "ScheduleFile.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cstdio>

namespace nerav {

namespace {

const QString scheduleName = QStringLiteral("largest.nrv");

struct ChildRun
{
    bool ok = false;
    double startupMs = 0;
    double peakKb = 0;
    int rows = 0;
};

// The program copied into its own folder beside a SystemInfo.txt that names the largest
// schedule, as after a run in which that schedule was open. Returns the copy's path.
QString PrepareProgramFolder(const BenchSettings &settings)
{
    const QString appFolder = settings.workFolder + QStringLiteral("startup-app/");
    const QString scheduleFolder = settings.workFolder + QStringLiteral("startup-schedules/");
    QDir().mkpath(appFolder);
    QDir().mkpath(scheduleFolder);
    const QString program = appFolder + QStringLiteral("nerav-bench-program");
    QFile::remove(program);
    if (!QFile::copy(settings.programFolder + QStringLiteral("nerav-bench-program"), program))
        return QString();
    // Its modules where an installed program finds them, so it loads what a real start loads.
    const QString modules = appFolder + QLatin1String(ProgramModuleFolder);
    QDir().mkpath(modules);
    for (const QString &module :
         QDir(settings.programFolder + QLatin1String(ProgramModuleFolder)).entryList(QDir::Files)) {
        QFile::remove(modules + QLatin1Char('/') + module);
        if (!QFile::copy(settings.programFolder + QLatin1String(ProgramModuleFolder) +
                                 QLatin1Char('/') + module,
                         modules + QLatin1Char('/') + module))
            return QString();
    }

    ClockSeededRandom random;
    if (!WriteScheduleFile(scheduleFolder + scheduleName, LargestSchedule(), random))
        return QString();
    Settings remembered;
    InitDefaults(remembered, appFolder);
    remembered.setLastFile(scheduleFolder + scheduleName);
    if (!remembered.save())
        return QString();
    return program;
}

// Starts the program and waits for its report; the start-up time runs from just before the
// process is created to the end of the first painted frame.
ChildRun RunChild(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    const long long started = SteadyNowNs();
    process.start();
    ChildRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    const QList<QByteArray> words = process.readAllStandardOutput().simplified().split(' ');
    if (words.size() != 6 || words[0] != "first-paint") {
        std::fprintf(stderr, "%s gave no report: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        return run;
    }
    run.startupMs = double(words[1].toLongLong() - started) / 1e6;
    run.peakKb = words[3].toDouble();
    run.rows = words[5].toInt();
    run.ok = true;
    return run;
}

} // namespace

void StartupAndMemoryFigures(const BenchSettings &settings)
{
    const QString program = PrepareProgramFolder(settings);
    const QString bare = settings.programFolder + QStringLiteral("nerav-bench-bare");
    if (program.isEmpty()) {
        PrintFigure(
                QStringLiteral("start-up: not measured (could not prepare the program folder)"));
        return;
    }
    const QStringList programArguments {settings.workFolder + QStringLiteral("startup.lock")};
    // 250 basic rows, 8 advance schedules, 100 details of the first one.
    const int expectedRows = 250 + 8 + 100;

    // One untimed run of each fills the page cache and the font cache.
    const QStringList textArguments {QStringLiteral("--rows"), QString::number(expectedRows)};
    RunChild(program, programArguments);
    RunChild(bare, {});
    RunChild(bare, textArguments);
    std::vector<double> programMs, bareMs, textMs, programKb, bareKb, textKb;
    for (int i = 0; i < settings.runs; ++i) {
        const ChildRun ours = RunChild(program, programArguments);
        const ChildRun base = RunChild(bare, {});
        const ChildRun withText = RunChild(bare, textArguments);
        if (!ours.ok || !base.ok || !withText.ok || ours.rows != expectedRows) {
            PrintFigure(QStringLiteral("start-up: not measured (run failed, %1 rows listed)")
                                .arg(ours.rows));
            return;
        }
        programMs.push_back(ours.startupMs);
        bareMs.push_back(base.startupMs);
        textMs.push_back(withText.startupMs);
        textKb.push_back(withText.peakKb);
        programKb.push_back(ours.peakKb);
        bareKb.push_back(base.peakKb);
    }
    // The baseline shows as many rows of text as the program: the cost of showing text at all
    // (font set-up, shaping, glyphs) is on both sides. The empty bare window is a side figure.
    const double ms = Median(programMs), baseMs = Median(textMs);
    PrintFigure(QStringLiteral("start-up: %1x of bare Qt showing the same rows (goal <= 1.3x)  "
                               "[program %2 ms, bare showing %3 rows of text %4 ms; median of "
                               "%5, largest schedule reopened; bare with an empty list %6 ms]")
                        .arg(Fixed(Ratio(ms, baseMs), 2), Fixed(ms, 0))
                        .arg(expectedRows)
                        .arg(Fixed(baseMs, 0))
                        .arg(settings.runs)
                        .arg(Fixed(Median(bareMs), 0)));
    const double kb = Median(programKb), baseKb = Median(bareKb);
    PrintFigure(QStringLiteral("peak memory: %1x of bare Qt (goal <= 1.3x)  [program %2 MiB, "
                               "bare %3 MiB; VmHWM at first paint; bare showing text %4 MiB]")
                        .arg(Fixed(Ratio(kb, baseKb), 2), Fixed(kb / 1024, 1),
                             Fixed(baseKb / 1024, 1), Fixed(Median(textKb) / 1024, 1)));
}

} // namespace nerav
