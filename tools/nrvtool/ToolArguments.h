#pragma once

// nrvtool's command line: the usage and help texts, and one parser setup for every command.

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

namespace nerav {

extern const char NrvToolUsageText[];
extern const char NrvToolHelpText[];

// Prints problem (when given) and the usage to err; returns the usage exit status.
int UsageError(QTextStream &err, const QString &problem = QString());

// Parses one command's arguments (those after its name) with the options added to parser.
// Options may come anywhere; "--" ends them, for a name starting with '-'. An unknown option,
// an option without its value or a count of other arguments other than count is reported
// with the usage on err, and false returned.
bool ParseCommandArguments(QCommandLineParser &parser, const QStringList &arguments,
                           qsizetype count, QTextStream &err);

} // namespace nerav
