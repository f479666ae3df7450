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

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
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
    // from_chars takes a minus sign but no plus sign, and reads the longest
    // prefix that is a number.
    if (text.front() == '+' && !text.substr(1).starts_with('-')) {
        text.remove_prefix(1);
    }
    float value = 0.0F;
    const std::from_chars_result read =
        std::from_chars(text.data(), text.data() + text.size(), value);
    if (read.ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace marvesto
