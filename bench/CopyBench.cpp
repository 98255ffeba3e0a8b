#include "BenchFigures.h"
#include "Measure.h"

#include "FileCopier.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <fcntl.h>
#include <unistd.h>

namespace nerav {

namespace {

constexpr int copyRuns = 5;

struct CopyRun
{
    bool ok = false;
    double seconds = 0;
    double longestGapMs = 0;
};

// Pseudo-random bytes, so nothing along the way can shortcut zeros.
bool MakeSourceFile(const QString &path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk(FileCopier::ChunkSize, Qt::Uninitialized);
    quint64 state = 88172645463325252ull;
    for (qint64 written = 0; written < size; written += chunk.size()) {
        for (char &byte : chunk) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            byte = char(state);
        }
        if (file.write(chunk.constData(), qMin<qint64>(chunk.size(), size - written)) < 0)
            return false;
    }
    return file.flush();
}

// Starts each run with nothing left to write back from the previous one.
void SettleDisk(const QString &leftover)
{
    QFile::remove(leftover);
    ::sync();
}

double FdatasyncSeconds(const QString &path)
{
    const long long start = SteadyNowNs();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fdatasync(fd);
        ::close(fd);
    }
    return double(SteadyNowNs() - start) / 1e9;
}

CopyRun RunCp(const QString &source, const QString &target)
{
    CopyRun run;
    const long long start = SteadyNowNs();
    run.ok = QProcess::execute(QStringLiteral("cp"), {source, target}) == 0;
    run.seconds = double(SteadyNowNs() - start) / 1e9;
    return run;
}

// The copier as the copy dialog runs it, with a 10 ms timer ticking on the event loop.
CopyRun RunCopier(const QString &source, const QString &target)
{
    CopyRun run;
    FileCopier copier;
    QEventLoop loop;
    QTimer ticker;
    ticker.setInterval(10);
    long long lastTick = SteadyNowNs();
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        const long long now = SteadyNowNs();
        run.longestGapMs = qMax(run.longestGapMs, double(now - lastTick) / 1e6);
        lastTick = now;
    });
    qint64 lastProgress = 0;
    QObject::connect(&copier, &FileCopier::progressed, &loop,
                     [&](qint64 copied, qint64) { lastProgress = copied; });
    QObject::connect(&copier, &FileCopier::finished, &loop, [&](bool copied) {
        run.ok = copied && lastProgress == QFile(source).size();
        loop.quit();
    });
    const long long start = SteadyNowNs();
    lastTick = start;
    ticker.start();
    if (!copier.start(source, target))
        return run;
    loop.exec();
    run.seconds = double(SteadyNowNs() - start) / 1e9;
    return run;
}

} // namespace

void CopyFigures(const BenchSettings &settings)
{
    const QString folder = settings.workFolder + QStringLiteral("copy/");
    QDir().mkpath(folder);
    const QString source = folder + QStringLiteral("source.bin");
    const QString cpTarget = folder + QStringLiteral("by-cp.bin");
    const QString copierTarget = folder + QStringLiteral("by-copier.bin");
    if (!MakeSourceFile(source, settings.copyBytes)) {
        PrintFigure(QStringLiteral("copy: not measured (no room for the source file)"));
        QFile::remove(source);
        return;
    }

    std::vector<double> cpSeconds, cpSyncedSeconds, copierSeconds, gaps;
    bool ok = true;
    for (int i = 0; i < copyRuns && ok; ++i) {
        SettleDisk(cpTarget);
        const CopyRun cp = RunCp(source, cpTarget);
        const double syncSeconds = FdatasyncSeconds(cpTarget);
        SettleDisk(cpTarget);
        const CopyRun ours = RunCopier(source, copierTarget);
        SettleDisk(copierTarget);
        ok = cp.ok && ours.ok;
        cpSeconds.push_back(cp.seconds);
        cpSyncedSeconds.push_back(cp.seconds + syncSeconds);
        copierSeconds.push_back(ours.seconds);
        gaps.push_back(ours.longestGapMs);
    }
    QFile::remove(source);
    if (!ok) {
        PrintFigure(QStringLiteral("copy: not measured (a copy failed)"));
        return;
    }
    const double mib = double(settings.copyBytes) / (1024.0 * 1024.0);
    const double cpRate = mib / Median(cpSeconds);
    const double syncedRate = mib / Median(cpSyncedSeconds);
    const double copierRate = mib / Median(copierSeconds);
    PrintFigure(QStringLiteral("copy: %1x of cp's throughput (goal >= 0.9x)  [copier %2 MiB/s, "
                               "cp %3 MiB/s, cp then fdatasync %4 MiB/s; %5 MiB, median of %6]")
                        .arg(Fixed(Ratio(copierRate, cpRate), 2), Fixed(copierRate, 0),
                             Fixed(cpRate, 0), Fixed(syncedRate, 0), Fixed(mib, 0))
                        .arg(copyRuns));
    double longest = 0;
    for (double gap : gaps)
        longest = qMax(longest, gap);
    PrintFigure(QStringLiteral("copy event-loop gap: %1 ms longest (goal <= 100 ms)  [10 ms timer; "
                               "median run %2 ms]")
                        .arg(Fixed(longest, 1), Fixed(Median(gaps), 1)));
}

} // namespace nerav
