#pragma once

namespace nerav {

// Source of the random values the schedule writer draws: reals r with 0 <= r < 1.
// The program seeds one from the clock at start-up; tests pass their own.
class RandomReal
{
public:
    virtual ~RandomReal() = default;
    virtual double next() = 0;
};

} // namespace nerav
