#include "high_score_text.h"

#include "number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace marvesto {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::size_t LeadingDigits(std::string_view text) {
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count])) {
        ++count;
    }
    return count;
}

// The length of the longest prefix that is a decimal number, 0 if none is.
std::size_t NumberLength(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    const std::size_t wholeDigits = LeadingDigits(text.substr(at));
    at += wholeDigits;
    std::size_t fractionDigits = 0;
    if (at < text.size() && text[at] == '.') {
        fractionDigits = LeadingDigits(text.substr(at + 1));
        if (wholeDigits + fractionDigits > 0) {
            at += 1 + fractionDigits;
        }
    }
    if (wholeDigits + fractionDigits == 0) {
        return 0;
    }
    if (at < text.size() && (text[at] == 'E' || text[at] == 'e')) {
        std::size_t exponentAt = at + 1;
        if (exponentAt < text.size() && (text[exponentAt] == '+' || text[exponentAt] == '-')) {
            ++exponentAt;
        }
        const std::size_t exponentDigits = LeadingDigits(text.substr(exponentAt));
        if (exponentDigits > 0) {
            at = exponentAt + exponentDigits;
        }
    }
    return at;
}

} // namespace

std::string HighScoreLine(Currency amount) {
    return NumberText(amount) + "\r\n";
}

float HighScoreFromText(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    std::string_view number = text.substr(0, NumberLength(text));
    if (number.empty()) {
        return 0.0F;
    }
    // from_chars takes a minus sign but no plus sign.
    if (number.front() == '+') {
        number.remove_prefix(1);
    }
    float value = 0.0F;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
        return 0.0F;
    }
    return value;
}

} // namespace marvesto
