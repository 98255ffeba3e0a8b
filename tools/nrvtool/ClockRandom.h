#pragma once

// Reals in [0, 1) from a generator seeded from the clock, for the key of each written file.

#include "RandomReal.h"

#include <QRandomGenerator>

#include <chrono>

namespace nerav {

class ClockRandom : public RandomReal
{
public:
    ClockRandom() : m_generator(FromClock()) { }

    double next() override { return m_generator.generateDouble(); }

private:
    static QRandomGenerator FromClock()
    {
        const auto now =
                static_cast<quint64>(std::chrono::system_clock::now().time_since_epoch().count());
        const quint32 seed[2] = {static_cast<quint32>(now), static_cast<quint32>(now >> 32)};
        return QRandomGenerator(seed);
    }

    QRandomGenerator m_generator;
};

} // namespace nerav
