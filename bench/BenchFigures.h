#pragma once

// The benchmark figures. Each one measures the program and its baseline in the same run,
// alternating them, and prints one line per figure with its goal.

#include <QString>

namespace nerav {

struct BenchSettings
{
    QString workFolder; // ends with "/"; everything written goes below it
    QString programFolder; // where nerav-bench-program and nerav-bench-bare are
    int runs = 7; // runs of each side for the start-up, memory and copy figures
    qint64 copyBytes = qint64(1024) * 1024 * 1024;
    int publishFiles = 200; // media files of 1 to publishMaxMib MiB each
    int publishMaxMib = 20;
    int publishRuns = 3;
};

// Start-up to first paint, and peak memory, from the same child processes.
void StartupAndMemoryFigures(const BenchSettings &settings);
void FileFigure(const BenchSettings &settings);
void ListsFigures(const BenchSettings &settings);
void CopyFigures(const BenchSettings &settings);
// Publishing media files to a medium against cp and sync; re-publishing; verify against cat.
void PublishFigures(const BenchSettings &settings);
// 1,000 mixed undoable steps on the largest schedule: the history's memory, and the slowest
// undo or redo with its repaint.
void HistoryFigures(const BenchSettings &settings);
// Opening the calendar on 250 advance schedules and moving it through a year, painted.
void CalendarFigures(const BenchSettings &settings);
// Reading 200 small media files' facts: per file, all without and with the cache, and against
// running ffprobe once per file when it is installed.
void ProbeFigures(const BenchSettings &settings);
// The main window while its media survey reads 200 files, probed and then from the cache: the
// longest the window's thread goes without running its event loop.
void MediaFigures(const BenchSettings &settings);

} // namespace nerav
