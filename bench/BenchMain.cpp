// Runs the benchmark figures and prints one line per figure with its goal.
//     nerav-bench --work FOLDER [--runs N] [--copy-mib N] [--publish-files N]
//                 [--publish-max-mib N]
//                 [startup file lists copy history calendar publish probe media]
// FOLDER must exist; everything written goes below it. Start it on a real display (xcb), for
// example under xvfb-run; scripts/bench.sh does all of that.

#include "BenchFigures.h"

#include "SystemModule.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);

    nerav::BenchSettings settings;
    settings.programFolder = nerav::WithTrailingSlash(QApplication::applicationDirPath());
    QStringList figures;
    while (!arguments.isEmpty()) {
        const QString argument = arguments.takeFirst();
        if (argument == QLatin1String("--work") && !arguments.isEmpty())
            settings.workFolder =
                    nerav::WithTrailingSlash(QDir(arguments.takeFirst()).absolutePath());
        else if (argument == QLatin1String("--runs") && !arguments.isEmpty())
            settings.runs = qMax(1, arguments.takeFirst().toInt());
        else if (argument == QLatin1String("--copy-mib") && !arguments.isEmpty())
            settings.copyBytes = qMax<qint64>(1, arguments.takeFirst().toLongLong()) * 1024 * 1024;
        else if (argument == QLatin1String("--publish-files") && !arguments.isEmpty())
            settings.publishFiles = qBound(1, arguments.takeFirst().toInt(), 250);
        else if (argument == QLatin1String("--publish-max-mib") && !arguments.isEmpty())
            settings.publishMaxMib = qMax(1, arguments.takeFirst().toInt());
        else
            figures << argument;
    }
    if (settings.workFolder.isEmpty() || !QDir(settings.workFolder).exists()) {
        std::fprintf(
                stderr,
                "usage: nerav-bench --work FOLDER [--runs N] [--copy-mib N] [--publish-files N]\n"
                "       [--publish-max-mib N]\n"
                "       [startup file lists copy history calendar publish probe media]\n");
        return 2;
    }
    if (figures.isEmpty())
        figures = QStringList {"startup",  "file",    "lists", "copy", "history",
                               "calendar", "publish", "probe", "media"};

    if (figures.contains(QLatin1String("startup")))
        nerav::StartupAndMemoryFigures(settings);
    if (figures.contains(QLatin1String("file")))
        nerav::FileFigure(settings);
    if (figures.contains(QLatin1String("lists")))
        nerav::ListsFigures(settings);
    if (figures.contains(QLatin1String("copy")))
        nerav::CopyFigures(settings);
    if (figures.contains(QLatin1String("history")))
        nerav::HistoryFigures(settings);
    if (figures.contains(QLatin1String("calendar")))
        nerav::CalendarFigures(settings);
    if (figures.contains(QLatin1String("publish")))
        nerav::PublishFigures(settings);
    if (figures.contains(QLatin1String("probe")))
        nerav::ProbeFigures(settings);
    if (figures.contains(QLatin1String("media")))
        nerav::MediaFigures(settings);
    return 0;
}
