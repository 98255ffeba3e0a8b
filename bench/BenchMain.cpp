// Runs the benchmark figures and prints one line per figure with its goal.
//     nerav-bench --work FOLDER [--runs N] [--copy-mib N] [startup file lists copy history calendar]
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
        else
            figures << argument;
    }
    if (settings.workFolder.isEmpty() || !QDir(settings.workFolder).exists()) {
        std::fprintf(stderr,
                     "usage: nerav-bench --work FOLDER [--runs N] [--copy-mib N] "
                     "[startup file lists copy history calendar]\n");
        return 2;
    }
    if (figures.isEmpty())
        figures = QStringList {"startup", "file", "lists", "copy", "history", "calendar"};

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
    return 0;
}
