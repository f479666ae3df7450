// How long a cue holds the game, the same for every platform's player: until
// the device says it has played the cue, but never before the cue's length
// has passed, so that no cue is cut short (a device may take samples faster
// than it plays them, or report an end it has not reached), and never longer
// than the cue plus kStuckDeviceMargin, so that a device that stops, or never
// reports the end, cannot hold the game.
#pragma once

#include <chrono>
#include <optional>

namespace marvesto {

class CueClock {
public:
    using Clock = std::chrono::steady_clock;

    CueClock(Clock::time_point start, std::chrono::microseconds length);

    // How long to spend before the device is asked again, given when it
    // expects to have played the cue (nothing while it cannot tell); nothing
    // once the cue is over. A wait is never longer than kLongestWait.
    std::optional<std::chrono::milliseconds>
    NextWait(Clock::time_point now, std::optional<Clock::time_point> deviceEnd) const;

private:
    Clock::time_point earliestEnd_;
    Clock::time_point latestEnd_;
};

} // namespace marvesto
