// nrvtool: the schedule file on the command line.

#include "NrvTool.h"
#include "PathParts.h"
#include "QtPlatform.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    // Names are used as the bytes given; one that Qt cannot keep so would name another file.
    const nerav::NativeArguments arguments = nerav::DecodeArguments(argc, argv);
    if (!arguments.refused.isEmpty()) {
        err << "nrvtool: \"" << nerav::PrintableName(arguments.refused)
            << "\" is not valid UTF-8, so it cannot be used as given; rename it\n";
        return nerav::NrvToolUsage;
    }
    nerav::ClockSeededRandom random;
    return nerav::RunNrvTool(arguments.arguments.mid(1), out, err, random);
}
