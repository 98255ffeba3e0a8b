#pragma once

// Running times in the tables' words: a list's running time and what it leaves out, and an
// advance schedule's playlist against its daily window. The main window and nrvtool say them
// alike.

#include "DurationText.h"
#include "InterfaceText.h"
#include "RunningTime.h"

#include <QString>
#include <QStringList>

namespace nerav {

// "Running time 0:42:10 · 3 not counted"
QString RunningTimeLine(const RunningTime &time, const MediaTable &texts);

// What the running time leaves out and why, a title and one line per kind; empty when every
// entry is counted.
QStringList NotCountedLines(const RunningTime &time, const MediaTable &texts);

// "1:23:00 of 9:00:00 window, 6.5 loops"; "at most" when entries are not counted.
QString WindowFitText(const WindowFit &fit, const MediaTable &texts);

} // namespace nerav
