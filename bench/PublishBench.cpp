#include "BenchFigures.h"
#include "Measure.h"

#include "FileTransfer.h"
#include "PublishPlan.h"
#include "Publisher.h"
#include "ScheduleRules.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>

#include <random>
#include <unistd.h>

namespace nerav {

namespace {

class BenchRandom : public RandomReal
{
public:
    double next() override { return m_distribution(m_engine); }

private:
    std::mt19937 m_engine {2026};
    std::uniform_real_distribution<double> m_distribution {0.0, 1.0};
};

bool Run(const QString &program, const QStringList &arguments, QString *out = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool ok = process.waitForFinished(600000) &&
            process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (out)
        *out = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return ok;
}

// A file system of its own for the medium: an image on a loop device that bypasses the page
// cache of the image file, so that reading the medium back reaches the disk.
class LoopMedium
{
public:
    LoopMedium(const QString &image, const QString &folder, qint64 bytes) : m_folder(folder)
    {
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(bytes))
            return;
        file.close();
        QDir().mkpath(folder);
        if (!Run("losetup", {"-f", "--show", "--direct-io=on", image}, &m_device) &&
            !Run("losetup", {"-f", "--show", image}, &m_device))
            return;
        // FAT as on a player's stick where the system has it, ext4 otherwise.
        m_type = QStringLiteral("vfat");
        m_mounted = Run("mkfs.vfat", {"-F", "32", m_device}) && Run("mount", {m_device, folder});
        if (!m_mounted) {
            m_type = QStringLiteral("ext4");
            m_mounted =
                    Run("mkfs.ext4", {"-q", "-F", m_device}) && Run("mount", {m_device, folder});
        }
    }
    ~LoopMedium()
    {
        if (m_mounted)
            Run("umount", {m_folder});
        if (!m_device.isEmpty())
            Run("losetup", {"-d", m_device});
    }
    bool mounted() const { return m_mounted; }
    QString type() const { return m_type; }

private:
    QString m_folder;
    QString m_device;
    QString m_type;
    bool m_mounted = false;
};

bool MakeMediaFile(const QString &path, qint64 size, quint64 seed)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    quint64 state = seed * 2654435761ull + 88172645463325252ull;
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

void EmptyFolder(const QString &folder)
{
    QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(name);
    ::sync();
}

// Writes out and forgets the cached pages of every file in the folder.
void DropCache(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            FlushAndDropCache(file.handle());
    }
}

struct PublishRun
{
    bool ok = false;
    double seconds = 0;
    double verifySeconds = 0;
    qint64 bytes = 0;
};

PublishRun TimePublish(const ScheduleDocument &document, const QString &media,
                       const QString &medium, bool verify)
{
    PublishRun run;
    BenchRandom random;
    const long long start = SteadyNowNs();
    const PublishPlan plan =
            MakePublishPlan(document, {media, medium, QStringLiteral("BENCH.NRV"), {}});
    Publisher publisher;
    QEventLoop loop;
    long long verifyStart = 0;
    long long verifyEnd = 0;
    QObject::connect(&publisher, &Publisher::currentFileChanged, &loop,
                     [&](const QString &name, bool verifying) {
                         if (verifying && verifyStart == 0)
                             verifyStart = SteadyNowNs();
                         if (!verifying && name == QLatin1String("BENCH.NRV"))
                             verifyEnd = SteadyNowNs();
                     });
    QObject::connect(&publisher, &Publisher::finished, &loop, [&](const PublishResult &result) {
        run.ok = result.ok();
        run.bytes = result.bytesCopied;
        loop.quit();
    });
    if (publisher.start(plan, document, random, verify) && publisher.isRunning())
        loop.exec();
    run.seconds = double(SteadyNowNs() - start) / 1e9;
    if (verifyStart > 0 && verifyEnd > verifyStart)
        run.verifySeconds = double(verifyEnd - verifyStart) / 1e9;
    return run;
}

double TimeShell(const QString &command)
{
    const long long start = SteadyNowNs();
    if (!Run("sh", {"-c", command}))
        return -1;
    return double(SteadyNowNs() - start) / 1e9;
}

} // namespace

void PublishFigures(const BenchSettings &settings)
{
    const QString folder = settings.workFolder + QStringLiteral("publish/");
    const QString media = folder + QStringLiteral("media/");
    const QString medium = folder + QStringLiteral("medium/");
    QDir().mkpath(media);
    ScheduleDocument document;
    std::mt19937 sizes(7);
    const qint64 mib = 1024 * 1024;
    std::uniform_int_distribution<qint64> size(mib, settings.publishMaxMib * mib);
    qint64 total = 0;
    for (int i = 0; i < settings.publishFiles; ++i) {
        const QString name = QStringLiteral("CLIP%1.BIN").arg(i, 3, 10, QLatin1Char('0'));
        const qint64 bytes = size(sizes);
        total += bytes;
        ScheduleEntry entry;
        EncodeEntryName(name.toStdString(), entry);
        document.basicEntries.push_back(entry);
        if (!MakeMediaFile(media + name, bytes, quint64(i))) {
            PrintFigure(QStringLiteral("publish: not measured (no room for the media files)"));
            QDir(folder).removeRecursively();
            return;
        }
    }
    LoopMedium loop(folder + QStringLiteral("medium.img"), medium, total + total / 8 + 64 * mib);
    const QString where = loop.mounted()
            ? QStringLiteral("a loop-mounted %1 image").arg(loop.type())
            : QStringLiteral("the same disk (no loop mount allowed)");
    QDir().mkpath(medium);
    const QString mediaFiles = QStringLiteral("'%1'*").arg(media);
    const QString quotedMedium = QStringLiteral("'%1'").arg(medium);

    std::vector<double> cpSeconds, publishSeconds, republishSeconds, verifyRates, catRates;
    bool ok = true;
    for (int i = 0; i < settings.publishRuns && ok; ++i) {
        EmptyFolder(medium);
        DropCache(media);
        const double cp =
                TimeShell(QStringLiteral("cp %1 %2 && sync -f %2").arg(mediaFiles, quotedMedium));
        EmptyFolder(medium);
        DropCache(media);
        const PublishRun first = TimePublish(document, media, medium, false);
        const PublishRun again = TimePublish(document, media, medium, false);
        EmptyFolder(medium);
        DropCache(media);
        const PublishRun verified = TimePublish(document, media, medium, true);
        DropCache(medium);
        const double cat = TimeShell(QStringLiteral("cat %1*.BIN > /dev/null").arg(quotedMedium));
        ok = cp > 0 && cat > 0 && first.ok && again.ok && verified.ok && first.bytes == total &&
                again.bytes == 0 && verified.verifySeconds > 0;
        cpSeconds.push_back(cp);
        publishSeconds.push_back(first.seconds);
        republishSeconds.push_back(again.seconds);
        verifyRates.push_back(double(total) / mib / verified.verifySeconds);
        catRates.push_back(double(total) / mib / cat);
    }
    EmptyFolder(medium);
    QDir(media).removeRecursively();
    if (!ok) {
        PrintFigure(QStringLiteral("publish: not measured (a copy or publish failed)"));
        return;
    }
    const double totalMib = double(total) / mib;
    const QString data = QStringLiteral("%1 files of 1-%2 MiB, %3 MiB, to %4, median of %5")
                                 .arg(settings.publishFiles)
                                 .arg(settings.publishMaxMib)
                                 .arg(Fixed(totalMib, 0), where)
                                 .arg(settings.publishRuns);
    PrintFigure(QStringLiteral("publish: %1x of cp+sync (goal >= 1.0x)  [publish %2 s, cp+sync "
                               "%3 s; %4]")
                        .arg(Fixed(Ratio(Median(cpSeconds), Median(publishSeconds)), 2),
                             Fixed(Median(publishSeconds), 2), Fixed(Median(cpSeconds), 2), data));
    PrintFigure(
            QStringLiteral("re-publish: %1 % of the first publish (goal < 2 %)  [%2 s]")
                    .arg(Fixed(100 * Ratio(Median(republishSeconds), Median(publishSeconds)), 2),
                         Fixed(Median(republishSeconds), 3)));
    PrintFigure(QStringLiteral("verify: %1x of cat's read speed (goal >= 0.8x)  [verify %2 MiB/s, "
                               "cat %3 MiB/s after dropping the cache]")
                        .arg(Fixed(Ratio(Median(verifyRates), Median(catRates)), 2),
                             Fixed(Median(verifyRates), 0), Fixed(Median(catRates), 0)));
}

} // namespace nerav
