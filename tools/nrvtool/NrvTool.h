#pragma once

// nrvtool: reads and writes schedule files without the window.
//   nrvtool dump FILE.nrv                 the schedule as JSON on stdout
//   nrvtool make SCHEDULE.json OUT.nrv    checks the JSON and writes OUT.nrv as Save does
//   nrvtool days SCHEDULE.nrv FROM TO     the advance schedules on each day (--json: as JSON)

#include "InterfaceText.h"
#include "MediumEjector.h"
#include "RandomReal.h"

#include <QStringList>
#include <QTextStream>

namespace nerav {

enum NrvToolExit {
    NrvToolOk = 0,
    NrvToolFailed = 1, // a damaged file, a schedule that does not pass, a write that failed
    NrvToolUsage = 2,
};

// Where publish --eject finds UDisks: on the system bus unless a test gives the address of a
// bus of its own with a fake UDisks on it, and the device that fake knows for any folder.
struct EjectSeam
{
    QString busAddress;
    MediumEjector::DeviceOfFolder deviceOfFolder;
};

// Runs one command; arguments exclude the program name. Random draws the new file's key.
int RunNrvTool(const QStringList &arguments, QTextStream &out, QTextStream &err, RandomReal &random,
               const EjectSeam &eject = {});

// The tables' English, so that the tool's lines read as the windows' do.
const InterfaceText &EnglishText();

} // namespace nerav
