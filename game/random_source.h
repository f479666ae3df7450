// The game's one sequence of random numbers.
#pragma once

#include <cstdint>

namespace marvesto {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Seeds the sequence once, from the clock.
    virtual void Randomize() = 0;
    // The next uniform value u, 0 <= u < 1.
    virtual double NextUniform() = 0;
};

// A number 1..count, floor(u * count) + 1 for the next value u; raises a
// run-time error if the source breaks its promise of u < 1.
std::int16_t DrawNumber(RandomSource& random, int count);

} // namespace marvesto
