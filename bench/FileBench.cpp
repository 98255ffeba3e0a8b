#include "BenchFigures.h"
#include "LargestSchedule.h"
#include "Measure.h"

#include "QtPlatform.h"
#include "ScheduleCodec.h"
#include "ScheduleFile.h"
#include "ScheduleRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace nerav {

namespace {

constexpr int fileRuns = 31;

// The baseline: the same number of bytes through a QSaveFile (flushed and committed, as the
// program does), then read back whole.
bool WriteAndReadPlain(const QString &path, const QByteArray &bytes)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush() ||
        !out.commit())
        return false;
    QFile in(path);
    return in.open(QIODevice::ReadOnly) && in.readAll().size() == bytes.size();
}

} // namespace

void FileFigure(const BenchSettings &settings)
{
    const QString folder = settings.workFolder + QStringLiteral("file/");
    QDir().mkpath(folder);
    const QString name = QStringLiteral("largest.nrv");
    const QString plainPath = folder + QStringLiteral("plain.bin");
    const ScheduleDocument document = LargestSchedule();
    ClockSeededRandom random;

    if (!CheckBeforeSave(document) || !WriteScheduleFile(folder + name, document, random)) {
        PrintFigure(QStringLiteral("file: not measured (the schedule could not be written)"));
        return;
    }
    const qint64 size = QFileInfo(folder + name).size();
    const QByteArray bytes(size, 'x');

    std::vector<double> programMs, plainMs, codecMs;
    bool ok = true;
    for (int i = 0; i < fileRuns + 1 && ok; ++i) {
        ScheduleDocument readBack;
        long long start = SteadyNowNs();
        ok = WriteScheduleFile(folder + name, document, random) &&
                ReadScheduleFile(folder + name, readBack);
        const double ours = double(SteadyNowNs() - start) / 1e6;
        ok = ok && readBack.SameContentAs(document);
        start = SteadyNowNs();
        ok = ok && WriteAndReadPlain(plainPath, bytes);
        const double plain = double(SteadyNowNs() - start) / 1e6;
        // The share of the byte format alone: encoding and decoding in memory.
        start = SteadyNowNs();
        const ScheduleEncodeResult encoded = EncodeSchedule(document, random);
        ok = ok && encoded.ok && DecodeSchedule(encoded.bytes).ok;
        const double codec = double(SteadyNowNs() - start) / 1e6;
        if (i > 0) { // the first round only warms up
            programMs.push_back(ours);
            plainMs.push_back(plain);
            codecMs.push_back(codec);
        }
    }
    if (!ok) {
        PrintFigure(QStringLiteral("file: not measured (a write or read failed)"));
        return;
    }
    const double ms = Median(programMs), baseMs = Median(plainMs);
    PrintFigure(QStringLiteral("file: %1x of plain QSaveFile (goal <= 1.5x)  [write+read %2 ms, "
                               "plain %3 ms, encoding and decoding alone %4 ms; "
                               "%5 bytes, size estimate %6, median of %7]")
                        .arg(Fixed(Ratio(ms, baseMs), 2), Fixed(ms, 2), Fixed(baseMs, 2),
                             Fixed(Median(codecMs), 2))
                        .arg(size)
                        .arg(ScheduleSizeEstimate(document))
                        .arg(fileRuns));
}

} // namespace nerav
