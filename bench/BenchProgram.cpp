// The program's own start-up (src/app/main.cpp) with the first-paint probe installed. The one
// argument is the lock file, so a running copy of the program does not stop the benchmark.

#include "AppContext.h"
#include "FirstPaintProbe.h"
#include "QtPlatform.h"
#include "RememberedSettings.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nerav-schedule-generator"));
    nerav::FirstPaintProbe probe;
    application.installEventFilter(&probe);

    const QStringList arguments = QApplication::arguments();
    nerav::QtPlatform services;
    nerav::AppContext context(services.platform());
    nerav::LockFileInstanceGuard guard(
            arguments.value(1, nerav::LockFileInstanceGuard::defaultLockFilePath()));
    return nerav::RunApplication(application, context, guard, nerav::DefaultAppFolder());
}
