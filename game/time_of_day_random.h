// The game's random source: seeded from the time of day alone, so two runs
// started at the same time of day, on any date, draw the same sequence.
#pragma once

#include "random_source.h"

#include <functional>
#include <random>

namespace marvesto {

class TimeOfDayRandom : public RandomSource {
public:
    // Gives the time of day as a fraction of a day, 0 <= t < 1.
    using Clock = std::function<double()>;

    // Reads the local time of day.
    TimeOfDayRandom();
    explicit TimeOfDayRandom(Clock clock);

    void Randomize() override;
    double NextUniform() override;

private:
    Clock clock_;
    std::mt19937_64 engine_;
};

// The local time of day as a fraction of a day.
double LocalTimeOfDay();

} // namespace marvesto
