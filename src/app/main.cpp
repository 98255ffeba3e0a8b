// Nerav Schedule Generator: prepares playback schedules for the Nerav media player.

#include "PathParts.h"
#include "QtPlatform.h"
#include "Startup.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // What Qt leaves of the arguments, as the bytes given; a name Qt cannot keep is refused.
    const nerav::NativeArguments arguments = nerav::DecodeArguments(argc, argv);
    if (!arguments.refused.isEmpty()) {
        std::fprintf(stderr,
                     "nerav-schedule-generator: \"%s\" is not valid UTF-8, so it cannot be used "
                     "as given; rename it\n",
                     qPrintable(nerav::PrintableName(arguments.refused)));
        return 2;
    }
    return nerav::RunProgram(application, nerav::LockFileInstanceGuard::defaultLockFilePath(),
                             arguments.arguments);
}
