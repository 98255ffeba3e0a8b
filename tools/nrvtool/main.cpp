// nrvtool: the schedule file on the command line.

#include "NrvTool.h"
#include "QtPlatform.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    nerav::ClockSeededRandom random;
    return nerav::RunNrvTool(app.arguments().mid(1), out, err, random);
}
