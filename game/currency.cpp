#include "currency.h"

#include "run_time_error.h"

#include <cmath>

namespace marvesto {

namespace {

// The largest whole-dollar value whose scaled form fits in 64 bits.
constexpr double kLargestWholeDollars = 922337203685477.0;

} // namespace

Currency Currency::FromWholeDollars(double dollars) {
    if (!std::isfinite(dollars) || std::fabs(dollars) > kLargestWholeDollars ||
        dollars != std::floor(dollars)) {
        throw RunTimeError("Overflow: the amount does not fit the currency type");
    }
    return Currency(static_cast<std::int64_t>(dollars) * kScale);
}

double Currency::ToDouble() const {
    return static_cast<double>(scaled_) / kScale;
}

Currency Currency::Times(std::int16_t factor) const {
    std::int64_t product = 0;
    if (__builtin_mul_overflow(scaled_, static_cast<std::int64_t>(factor), &product)) {
        throw RunTimeError("Overflow: a currency product does not fit the currency type");
    }
    return Currency(product);
}

bool IsGreater(Currency amount, float value) {
    // A long double holds every 64-bit integer exactly, and a single times
    // 10,000 needs at most 38 bits of mantissa, so both sides are exact.
    return static_cast<long double>(amount.Scaled()) >
           static_cast<long double>(value) * Currency::kScale;
}

} // namespace marvesto
