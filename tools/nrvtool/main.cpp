// nrvtool: the schedule file on the command line.

#include "ClockRandom.h"
#include "NrvTool.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    nerav::ClockRandom random;
    return nerav::RunNrvTool(app.arguments().mid(1), out, err, random);
}
