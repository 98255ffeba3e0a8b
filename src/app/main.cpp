// Nerav Schedule Generator: prepares playback schedules for the Nerav media player.

#include "QtPlatform.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    return nerav::RunProgram(application, nerav::LockFileInstanceGuard::defaultLockFilePath(),
                             QApplication::arguments());
}
