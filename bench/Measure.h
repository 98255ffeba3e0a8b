#pragma once

// Timing and reporting helpers shared by the benchmark figures.

#include <QString>
#include <vector>

namespace nerav {

// CLOCK_MONOTONIC in nanoseconds: the same clock in every process.
long long SteadyNowNs();

double Median(std::vector<double> values);

// The ratio of two medians, 0 when the baseline is 0.
double Ratio(double measured, double baseline);

// Prints one figure line and flushes it, so the script shows progress as it goes.
void PrintFigure(const QString &line);

// Formats a number with a fixed count of decimals.
QString Fixed(double value, int decimals);

} // namespace nerav
