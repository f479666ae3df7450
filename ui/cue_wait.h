// The bounds of a game call's wait for a sound cue, the same for every
// platform's player.
#pragma once

#include <chrono>

namespace marvesto {

// A device that stops playing, or never says it is done, must not hold the
// game for longer than the cue plus this.
constexpr std::chrono::milliseconds kStuckDeviceMargin{500};
// The longest single wait: the device only estimates the time left, and a
// waiter that handles just the events already pending still gets to do so
// this often.
constexpr std::chrono::milliseconds kLongestWait{20};

} // namespace marvesto
