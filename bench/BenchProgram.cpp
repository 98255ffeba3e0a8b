// The program's own start-up with the first-paint probe installed. The one argument is the lock
// file, so a running copy of the program does not stop the benchmark.

#include "FirstPaintProbe.h"
#include "QtPlatform.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    nerav::FirstPaintProbe probe;
    application.installEventFilter(&probe);
    return nerav::RunProgram(application,
                             QApplication::arguments().value(
                                     1, nerav::LockFileInstanceGuard::defaultLockFilePath()));
}
