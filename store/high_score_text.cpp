#include "high_score_text.h"

#include "number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace marvesto {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLittleEndianMark = "\xFF\xFE";
constexpr std::string_view kBigEndianMark = "\xFE\xFF";

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

// UTF-16 text narrowed to one byte a character. A number is written in ASCII
// alone, so every other character becomes one that cannot be part of it.
std::string NarrowedUtf16(std::string_view units, bool bigEndian) {
    std::string narrow;
    narrow.reserve(units.size() / 2);
    for (std::size_t at = 0; at + 1 < units.size(); at += 2) {
        const auto high = static_cast<unsigned char>(units[bigEndian ? at : at + 1]);
        const char low = units[bigEndian ? at + 1 : at];
        const bool ascii = high == 0 && static_cast<unsigned char>(low) < 0x80;
        narrow += ascii ? low : '?';
    }
    return narrow;
}

} // namespace

std::string HighScoreLine(Currency amount) {
    return NumberText(amount) + "\r\n";
}

std::optional<float> HighScoreFromText(std::string_view text) {
    if (text.starts_with(kLittleEndianMark) || text.starts_with(kBigEndianMark)) {
        return HighScoreFromText(NarrowedUtf16(text.substr(2), text.starts_with(kBigEndianMark)));
    }
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return 0.0F;
    }
    std::string_view number = text.substr(0, NumberLength(text));
    if (number.empty()) {
        return std::nullopt;
    }
    // from_chars takes a minus sign but no plus sign.
    if (number.front() == '+') {
        number.remove_prefix(1);
    }
    float value = 0.0F;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace marvesto
