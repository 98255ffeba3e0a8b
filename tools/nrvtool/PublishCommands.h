#pragma once

// nrvtool check and nrvtool publish: what a medium holds of a schedule, and filling it.

#include "RandomReal.h"

#include <QString>

#include <QStringList>
#include <QTextStream>

namespace nerav {

struct EjectSeam;

// arguments start after the command's name. Return the exit status.
int CheckCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);
int PublishCommand(const QStringList &arguments, QTextStream &out, QTextStream &err,
                   RandomReal &random, const EjectSeam &eject);

} // namespace nerav
