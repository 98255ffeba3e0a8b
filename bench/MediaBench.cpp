#include "BenchFigures.h"
#include "Measure.h"
#include "WindowTiming.h"

#include "MainForm.h"
#include "MediaMaker.h"
#include "QtPlatform.h"
#include "ScheduleMedia.h"
#include "ScheduleModel.h"
#include "ScheduleSession.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <ctime>

namespace nerav {

namespace {

constexpr int mediaFiles = 200;

QString Name(int i)
{
    return QStringLiteral("CLIP%1.MPG").arg(i, 3, 10, QLatin1Char('0'));
}

// 200 basic entries, each naming its own file.
ScheduleDocument Clips()
{
    ScheduleDocument document;
    for (int i = 0; i < mediaFiles; ++i) {
        ScheduleEntry entry;
        const QByteArray base = Name(i).section(u'.', 0, 0).toLatin1();
        std::copy(base.begin(), base.end(), entry.fileName.begin());
        std::copy_n("MPG", 3, entry.fileExt.begin());
        entry.playTimes = 1;
        entry.volume = DefaultVolume;
        document.basicEntries.push_back(entry);
    }
    return document;
}

// The time the calling thread has run, in nanoseconds.
qint64 ThreadCpuNs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

struct Survey
{
    double largestGapMs = 0;
    double largestBusyMs = 0; // of the window's thread's own running time within one gap
    double seconds = 0;
};

// The main window while its survey reads the folder: the longest the window's thread went
// without running its event loop (a 1 ms timer's ticks, the repaints between them included),
// and the most the thread itself ran within one such gap: on a busy machine the gap also holds
// the time other processes took the processor.
Survey Measure(const QString &media, const QString &cache)
{
    QtPlatform services;
    AppContext context(services.platform());
    InitDefaults(context.settings, QString());
    LoadInterfaceText(context.text, Japanese);
    context.settings.setMediaFolder(media);
    context.settings.setCacheFolder(cache);
    MainForm form(context);
    form.applyCaptions();
    form.session().model().resetDocument(Clips());
    form.show();
    WaitUntilExposed(form);

    ScheduleMedia &survey = form.session().model().media();
    QEventLoop loop;
    QObject::connect(&survey, &ScheduleMedia::finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 largest = 0;
    qint64 lastCpu = ThreadCpuNs();
    qint64 largestCpu = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const qint64 cpu = ThreadCpuNs();
        largest = qMax(largest, now - last);
        largestCpu = qMax(largestCpu, cpu - lastCpu);
        last = now;
        lastCpu = cpu;
    });
    clock.start();
    tick.start();
    form.session().startMediaSurvey();
    loop.exec();
    tick.stop();
    // The last reports are painted too.
    QApplication::processEvents();
    return {double(largest) / 1e6, double(largestCpu) / 1e6, double(clock.nsecsElapsed()) / 1e9};
}

} // namespace

void MediaFigures(const BenchSettings &settings)
{
    const QString media = settings.workFolder + QStringLiteral("survey-media/");
    const QString cache = settings.workFolder + QStringLiteral("survey-cache/");
    QDir().mkpath(media);
    const QString first = media + Name(0);
    const QString made = MakeVideo(first, VideoRecipe {"mpeg", "mpeg1video", 352, 288, 50, 25});
    if (!made.isEmpty()) {
        PrintFigure(QStringLiteral("media survey: not measured (%1)").arg(made));
        return;
    }
    for (int i = 1; i < mediaFiles; ++i)
        QFile::copy(first, media + Name(i));

    const Survey probing = Measure(media, cache);
    const Survey cached = Measure(media, cache);
    for (const auto &[what, survey] :
         {std::pair {QStringLiteral("probing 200 files"), probing},
          std::pair {QStringLiteral("200 files from the cache"), cached}}) {
        const QString verdict =
                survey.largestGapMs < 50 ? QStringLiteral("within") : QStringLiteral("OVER");
        PrintFigure(QStringLiteral("media survey (%1): largest gap of the window's thread %2 ms "
                                   "(goal < 50 ms, %3)  [its own running time in a gap at most "
                                   "%4 ms; survey %5 s]")
                            .arg(what, Fixed(survey.largestGapMs, 1), verdict,
                                 Fixed(survey.largestBusyMs, 1), Fixed(survey.seconds, 2)));
    }
}

} // namespace nerav
