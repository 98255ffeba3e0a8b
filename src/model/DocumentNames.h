#pragma once

// Names of schedule files: the default proposal of New and the extension rule of the file
// dialogs.

#include <QString>

namespace nerav {

// "nerav.nrv" for 0, otherwise "nerav<n>.nrv".
QString DefaultDocumentName(int number);

// A name shorter than 5 characters, or one whose fourth character from the end is not ".",
// gets ".nrv" appended; any other name (a dot and three characters at its end) stays.
QString ApplyExtensionRule(const QString &name);

} // namespace nerav
