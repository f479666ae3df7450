#include "currency.h"

#include "run_time_error.h"

#include <cmath>
#include <limits>

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
    // The product fits exactly when the amount lies between the range's ends
    // divided by the factor; a negative factor swaps the ends, and -1 only
    // rules out the smallest amount, whose negation has no 64-bit form.
    constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kSmallest = std::numeric_limits<std::int64_t>::min();
    const std::int64_t wide = factor;
    const bool fits = wide > 0     ? scaled_ <= kLargest / wide && scaled_ >= kSmallest / wide
                      : wide == 0  ? true
                      : wide == -1 ? scaled_ != kSmallest
                                   : scaled_ >= kLargest / wide && scaled_ <= kSmallest / wide;
    if (!fits) {
        throw RunTimeError("Overflow: a currency product does not fit the currency type");
    }
    return Currency(scaled_ * wide);
}

bool IsGreater(Currency amount, float value) {
    // A long double holds every 64-bit integer exactly, and a single times
    // 10,000 needs at most 38 bits of mantissa, so both sides are exact.
    return static_cast<long double>(amount.Scaled()) >
           static_cast<long double>(value) * Currency::kScale;
}

} // namespace marvesto
