#include "random_source.h"

#include "run_time_error.h"

#include <cmath>

namespace marvesto {

std::int16_t DrawNumber(RandomSource& random, int count) {
    const double drawn = std::floor(random.NextUniform() * count) + 1;
    if (!(drawn >= 1 && drawn <= count)) {
        throw RunTimeError("The random source gave a value outside [0, 1)");
    }
    return static_cast<std::int16_t>(drawn);
}

} // namespace marvesto
