#pragma once

// Runs nrvtool's commands in the test process and keeps what they print.

#include "NrvTool.h"
#include "ScriptedRandom.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace nerav::test {

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline ToolRun RunTool(const QStringList &arguments, const EjectSeam &eject = {})
{
    ToolRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    SeededRandom random(42);
    run.exitCode = RunNrvTool(arguments, out, err, random, eject);
    out.flush();
    err.flush();
    return run;
}

} // namespace nerav::test
