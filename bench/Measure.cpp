#include "Measure.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace nerav {

long long SteadyNowNs()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1)
        return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

double Ratio(double measured, double baseline)
{
    return baseline > 0 ? measured / baseline : 0;
}

void PrintFigure(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QString Fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

} // namespace nerav
