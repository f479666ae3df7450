#include "number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace marvesto {

namespace {

constexpr int kSingleDigits = 7;
// A currency value holds ten-thousandths.
constexpr std::size_t kCurrencyDecimals = 4;

std::string SignOf(bool negative) {
    return negative ? "-" : " ";
}

std::string StripTrailingZeros(std::string digits) {
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
    }
    return digits;
}

} // namespace

std::string NumberText(Currency amount) {
    const bool negative = amount.Scaled() < 0;
    // The magnitude is taken unsigned so that the most negative value works too.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(amount.Scaled())
                                             : static_cast<std::uint64_t>(amount.Scaled());
    const std::uint64_t scale = Currency::kScale;
    const std::uint64_t whole = magnitude / scale;
    const std::uint64_t fraction = magnitude % scale;

    std::string text = whole == 0 && fraction != 0 ? "" : std::to_string(whole);
    if (fraction != 0) {
        const std::string digits = std::to_string(fraction);
        text += '.';
        text += StripTrailingZeros(std::string(kCurrencyDecimals - digits.size(), '0') + digits);
    }
    return SignOf(negative) + text;
}

std::string NumberText(std::int64_t whole) {
    return NumberText(Currency::FromWholeDollars(static_cast<double>(whole)));
}

std::string NumberText(float value) {
    if (std::isnan(value)) {
        return " NaN";
    }
    const bool negative = std::signbit(value) && value != 0.0F;
    if (std::isinf(value)) {
        return SignOf(negative) + "Infinity";
    }
    // printf's %.7G: seven significant digits, trailing zeros dropped, the
    // exponent form below 10^-4 and from 10^7 on; locale-free.
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                       std::fabs(value), std::chars_format::general, kSingleDigits);
    std::string text(buffer.data(), written.ptr);
    if (text.starts_with("0.")) {
        text.erase(0, 1);
    }
    std::replace(text.begin(), text.end(), 'e', 'E');
    return SignOf(negative) + text;
}

} // namespace marvesto
