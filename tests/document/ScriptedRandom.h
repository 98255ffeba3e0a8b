#pragma once

// Random values for the schedule writer that a test chooses: a script of values, then a fixed
// value for every later draw.

#include "RandomReal.h"

#include <cstdint>
#include <deque>
#include <random>

namespace nerav {

class ScriptedRandom : public RandomReal
{
public:
    explicit ScriptedRandom(std::deque<double> script = {}, double after = 0.0)
        : m_script(std::move(script)), m_after(after)
    {
    }

    double next() override
    {
        if (m_script.empty())
            return m_after;
        const double value = m_script.front();
        m_script.pop_front();
        return value;
    }

    // The draw that rounds to value on the given scale (value < scale).
    static double For(int value, double scale) { return value / scale; }

private:
    std::deque<double> m_script;
    double m_after;
};

class SeededRandom : public RandomReal
{
public:
    explicit SeededRandom(std::uint32_t seed) : m_engine(seed) { }
    double next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine); }

private:
    std::mt19937 m_engine;
};

} // namespace nerav
