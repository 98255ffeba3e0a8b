// The program's own start-up, line for line as src/app/main.cpp, with the first-paint probe
// installed. The one argument is the lock file, so a running copy of the program does not stop
// the benchmark.

#include "AppContext.h"
#include "FirstPaintProbe.h"
#include "QtPlatform.h"
#include "RememberedSettings.h"
#include "Startup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    nerav::FirstPaintProbe probe;
    application.installEventFilter(&probe);

    const QString programName = QStringLiteral("nerav-schedule-generator");
    QApplication::setApplicationName(programName);
    QGuiApplication::setDesktopFileName(programName);
    QApplication::setWindowIcon(QIcon::fromTheme(programName));

    nerav::QtPlatform services;
    nerav::AppContext context(services.platform());
    nerav::LockFileInstanceGuard guard(QApplication::arguments().value(
            1, nerav::LockFileInstanceGuard::defaultLockFilePath()));
    return nerav::RunApplication(application, context, guard, nerav::DefaultAppFolder());
}
