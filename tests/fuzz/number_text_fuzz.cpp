// Feeds arbitrary amounts to the number text rule and the high-score line: the
// text must keep its shape, and the line must read back as the amount.
#include "high_score_text.h"
#include "number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A blank or a minus sign, then digits with at most one point, no trailing
// zero after the point, no zero before it.
void CheckShape(const std::string& text) {
    Require(text.size() >= 2 && (text[0] == ' ' || text[0] == '-'));
    const auto point = text.find('.');
    if (point == std::string::npos) {
        return;
    }
    Require(text.back() != '0' && text.back() != '.');
    Require(point == 1 || text[1] != '0');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::int64_t scaled = 0;
    std::memcpy(&scaled, data, size < sizeof scaled ? size : sizeof scaled);
    const auto amount = marvesto::Currency::FromScaled(scaled);
    const std::string text = marvesto::NumberText(amount);
    CheckShape(text);

    const float read = marvesto::HighScoreFromText(marvesto::HighScoreLine(amount)).value_or(NAN);
    const double exact = static_cast<double>(scaled) / marvesto::Currency::kScale;
    Require(std::fabs(static_cast<double>(read) - exact) <= std::fabs(exact) * 1e-7 + 1e-9);
    return 0;
}
