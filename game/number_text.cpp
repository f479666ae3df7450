#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace marvesto {

namespace {

constexpr int kSingleDigits = 7;
// A currency value holds ten-thousandths.
constexpr std::size_t kCurrencyDecimals = 4;
// Below 10^-4 a value is written in exponent form.
constexpr int kSmallestPositionalExponent = -4;

std::string SignOf(bool negative) {
    return negative ? "-" : " ";
}

std::string StripTrailingZeros(std::string digits) {
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
    }
    return digits;
}

std::string PositionalForm(const std::string& digits, int exponent) {
    if (exponent < 0) {
        std::string text(1, '.');
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        return text + digits;
    }
    const auto integerLength = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerLength) {
        return digits + std::string(integerLength - digits.size(), '0');
    }
    return digits.substr(0, integerLength) + "." + digits.substr(integerLength);
}

std::string ExponentForm(const std::string& digits, int exponent) {
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1) {
        text += '.';
        text += digits.substr(1);
    }
    const std::string power = std::to_string(std::abs(exponent));
    return text + "E" + (exponent < 0 ? "-" : "+") + (power.size() < 2 ? "0" : "") + power;
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
    if (value == 0.0F) {
        return SignOf(false) + "0";
    }
    // Six digits after the point in scientific form are seven significant
    // digits, rounded: d.dddddde+XX.
    std::array<char, 32> scientific{};
    const auto written = std::to_chars(scientific.data(), scientific.data() + scientific.size(),
                                       std::fabs(static_cast<double>(value)),
                                       std::chars_format::scientific, kSingleDigits - 1);
    const std::string text(scientific.data(), written.ptr);
    const auto exponentAt = text.find('e');
    const int exponent = std::atoi(text.c_str() + exponentAt + 1);
    const std::string digits =
        StripTrailingZeros(text.substr(0, 1) + text.substr(2, exponentAt - 2));

    const bool positional = exponent < kSingleDigits && exponent >= kSmallestPositionalExponent;
    return SignOf(negative) +
           (positional ? PositionalForm(digits, exponent) : ExponentForm(digits, exponent));
}

} // namespace marvesto
