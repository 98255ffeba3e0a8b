// Nerav Schedule Generator: prepares playback schedules for the Nerav media player.

#include "AppContext.h"
#include "QtPlatform.h"
#include "RememberedSettings.h"
#include "Startup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The name also names the per-user settings folder (~/.local/share/nerav-schedule-generator).
    const QString programName = QStringLiteral("nerav-schedule-generator");
    QApplication::setApplicationName(programName);
    QGuiApplication::setDesktopFileName(programName);
    QApplication::setWindowIcon(QIcon::fromTheme(programName));

    nerav::QtPlatform services;
    nerav::AppContext context(services.platform());
    nerav::LockFileInstanceGuard guard;
    return nerav::RunApplication(application, context, guard, nerav::DefaultAppFolder());
}
