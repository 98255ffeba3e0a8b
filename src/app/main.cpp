// Nerav Schedule Generator: prepares playback schedules for the Nerav media player.

#include "AppContext.h"
#include "QtPlatform.h"
#include "RememberedSettings.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nerav-schedule-generator"));

    nerav::QtPlatform services;
    nerav::AppContext context(services.platform());
    nerav::LockFileInstanceGuard guard;
    return nerav::RunApplication(application, context, guard, nerav::DefaultAppFolder());
}
