#include "cue_clock.h"

#include "cue_wait.h"

#include <algorithm>

namespace marvesto {

CueClock::CueClock(Clock::time_point start, std::chrono::microseconds length)
    : earliestEnd_(start + length), latestEnd_(start + length + kStuckDeviceMargin) {}

std::optional<std::chrono::milliseconds>
CueClock::NextWait(Clock::time_point now, std::optional<Clock::time_point> deviceEnd) const {
    const auto end = std::min(std::max(earliestEnd_, deviceEnd.value_or(latestEnd_)), latestEnd_);
    if (now >= end) {
        return std::nullopt;
    }
    return std::min(std::chrono::ceil<std::chrono::milliseconds>(end - now), kLongestWait);
}

} // namespace marvesto
