// Feeds arbitrary file contents to the high-score reader: it must never crash,
// must always give a finite value, and must read back what it would write.
#include "high_score_text.h"
#include "number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const float value = marvesto::HighScoreFromText(text).value_or(0.0F);
    if (!std::isfinite(value)) {
        std::abort();
    }
    // Whatever was read is shown as number text; reading that text again must
    // give the value back to the seven digits the text keeps.
    const std::optional<float> again = marvesto::HighScoreFromText(marvesto::NumberText(value));
    if (!again || std::fabs(*again - value) > std::fabs(value) * 1e-6F) {
        std::abort();
    }
    return 0;
}
