#pragma once

// The program's command line: nerav-schedule-generator [--language en|ja] [FILE.nrv]

#include "InterfaceText.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace nerav {

struct CommandLine
{
    // The schedule file to open instead of the last one, made absolute; empty when none.
    QString file;
    // The language for this run only; none means the remembered choice.
    std::optional<Language> language;
    // --help or --version: the text to print, and the program ends with exit status 0.
    QString answer;
    // A wrong option or value: the message to print, and the program ends with exit status 2.
    QString error;
};

// Reads the arguments (the program's name first), as QCoreApplication::arguments() gives them.
CommandLine ParseCommandLine(const QStringList &arguments);

} // namespace nerav
