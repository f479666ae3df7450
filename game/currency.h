// Fixed-point money: a 64-bit integer counting ten-thousandths of a dollar.
#pragma once

#include <compare>
#include <cstdint>

namespace marvesto {

class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromScaled(std::int64_t scaled) { return Currency(scaled); }
    // Takes a whole number of dollars given as a double (the result of a floor);
    // a value outside the currency range raises an overflow error.
    static Currency FromWholeDollars(double dollars);

    constexpr std::int64_t Scaled() const { return scaled_; }
    double ToDouble() const;
    // The product with a 16-bit factor, exact; an overflow raises a run-time error.
    Currency Times(std::int16_t factor) const;

    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    constexpr explicit Currency(std::int64_t scaled) : scaled_(scaled) {}

    std::int64_t scaled_ = 0;
};

// True when the amount is strictly greater than the single-precision value,
// compared exactly by numerical value.
bool IsGreater(Currency amount, float value);

} // namespace marvesto
