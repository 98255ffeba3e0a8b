#include "BenchFigures.h"
#include "Measure.h"

#include "MediaCache.h"
#include "MediaMaker.h"
#include "MediaProbe.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

namespace nerav {

namespace {

constexpr int ProbeFiles = 200;

// 200 small files as a schedule holds them: MPEG-1 program streams, MPEG-4 part 2 in AVI, MP3
// and JPEG, a quarter each, of one to two seconds (pictures of two sizes).
QStringList MakeProbeFiles(const QString &folder, QString &reason)
{
    QStringList files;
    for (int i = 0; i < ProbeFiles && reason.isEmpty(); ++i) {
        const int frames = 25 + i % 25;
        QString path = folder + QStringLiteral("FILE%1").arg(i, 3, 10, QLatin1Char('0'));
        switch (i % 4) {
        case 0:
            path += QStringLiteral(".MPG");
            reason = MakeVideo(path, VideoRecipe {"mpeg", "mpeg1video", 176, 144, frames, 25});
            break;
        case 1:
            path += QStringLiteral(".AVI");
            reason = MakeVideo(path, VideoRecipe {"avi", "mpeg4", 176, 144, frames, 25});
            break;
        case 2:
            path += QStringLiteral(".MP3");
            reason = MakeAudio(path, AudioRecipe {"libmp3lame", 44100, frames * 40});
            break;
        default: {
            path += QStringLiteral(".JPG");
            QImage image(i % 8 == 3 ? 640 : 320, i % 8 == 3 ? 480 : 240, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(i % 360, 160, 200));
            if (!image.save(path, "jpeg"))
                reason = QStringLiteral("cannot write %1").arg(path);
        }
        }
        files.append(path);
    }
    return files;
}

struct ProbeRun
{
    double totalMs = 0;
    std::vector<double> perFileMs;
    bool ok = true;
};

// Every file read with the program's own probe, no cache.
ProbeRun ProbeCold(const QStringList &files)
{
    ProbeRun run;
    for (const QString &file : files) {
        const long long start = SteadyNowNs();
        const ProbeResult result = ProbeMedia(file);
        const double ms = double(SteadyNowNs() - start) / 1e6;
        run.ok = run.ok && bool(result);
        run.perFileMs.push_back(ms);
        run.totalMs += ms;
    }
    return run;
}

// As a check after reopening the program: the cache file read again, every file looked up.
ProbeRun ProbeWarm(const QString &cacheFolder, const QStringList &files)
{
    ProbeRun run;
    const long long start = SteadyNowNs();
    MediaCache cache(cacheFolder);
    for (const QString &file : files)
        run.ok = run.ok && bool(cache.probe(file));
    run.totalMs = double(SteadyNowNs() - start) / 1e6;
    run.ok = run.ok && cache.probesRun() == 0;
    return run;
}

// Every file read by one ffprobe process, as a program that runs it per file does.
ProbeRun ProbeWithFfprobe(const QString &ffprobe, const QStringList &files)
{
    ProbeRun run;
    for (const QString &file : files) {
        QProcess process;
        const long long start = SteadyNowNs();
        process.start(ffprobe, {"-v", "error", "-show_format", "-show_streams", file});
        const bool done = process.waitForFinished(60000) &&
                process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        process.readAllStandardOutput();
        const double ms = double(SteadyNowNs() - start) / 1e6;
        run.ok = run.ok && done;
        run.perFileMs.push_back(ms);
        run.totalMs += ms;
    }
    return run;
}

} // namespace

void ProbeFigures(const BenchSettings &settings)
{
    const QString folder = settings.workFolder + QStringLiteral("probe/");
    const QString media = folder + QStringLiteral("media/");
    const QString cacheFolder = folder + QStringLiteral("cache/");
    QDir().mkpath(media);
    QString reason;
    const QStringList files = MakeProbeFiles(media, reason);
    if (!reason.isEmpty()) {
        PrintFigure(QStringLiteral("probe: not measured (%1)").arg(reason));
        QDir(folder).removeRecursively();
        return;
    }
    // The cache a first check leaves behind.
    {
        MediaCache cache(cacheFolder);
        for (const QString &file : files)
            cache.probe(file);
        reason = cache.save();
    }
    const QString ffprobe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    std::vector<double> coldTotals, coldMedians, warmTotals, ffprobeTotals, ffprobeMedians;
    bool ok = reason.isEmpty();
    for (int i = 0; i < settings.runs && ok; ++i) {
        const ProbeRun cold = ProbeCold(files);
        const ProbeRun warm = ProbeWarm(cacheFolder, files);
        ok = cold.ok && warm.ok;
        coldTotals.push_back(cold.totalMs);
        coldMedians.push_back(Median(cold.perFileMs));
        warmTotals.push_back(warm.totalMs);
        if (!ffprobe.isEmpty()) {
            const ProbeRun other = ProbeWithFfprobe(ffprobe, files);
            ok = ok && other.ok;
            ffprobeTotals.push_back(other.totalMs);
            ffprobeMedians.push_back(Median(other.perFileMs));
        }
    }
    QDir(folder).removeRecursively();
    if (!ok) {
        PrintFigure(QStringLiteral("probe: not measured (a file was not read%1)")
                            .arg(reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
        return;
    }
    const QString data = QStringLiteral("%1 files: MPEG-1 PS, MPEG-4 AVI, MP3, JPEG, a quarter "
                                        "each; median of %2")
                                 .arg(ProbeFiles)
                                 .arg(settings.runs);
    PrintFigure(QStringLiteral("probe: %1 ms per file (median), %2 ms for all, no cache  [%3]")
                        .arg(Fixed(Median(coldMedians), 2), Fixed(Median(coldTotals), 0), data));
    PrintFigure(QStringLiteral("probe, warm reopen: %1 ms for %2 files (goal < 50 ms)  [the "
                               "cache file read again, every file looked up]")
                        .arg(Fixed(Median(warmTotals), 1))
                        .arg(ProbeFiles));
    if (ffprobe.isEmpty()) {
        PrintFigure(QStringLiteral("ffprobe not installed: no comparison"));
        return;
    }
    PrintFigure(QStringLiteral("probe: %1x of ffprobe's time (goal <= 0.10x)  [ours %2 ms, "
                               "ffprobe -show_format -show_streams once per file %3 ms; per "
                               "file %4 ms against %5 ms]")
                        .arg(Fixed(Ratio(Median(coldTotals), Median(ffprobeTotals)), 3),
                             Fixed(Median(coldTotals), 0), Fixed(Median(ffprobeTotals), 0),
                             Fixed(Median(coldMedians), 2), Fixed(Median(ffprobeMedians), 2)));
}

} // namespace nerav
