// The bounds of a game call's wait for a sound cue, and the window's part in
// it, the same for every platform's player.
#pragma once

#include <chrono>
#include <functional>

namespace marvesto {

// A device that stops playing, or never says it is done, must not hold the
// game for longer than the cue plus this.
constexpr std::chrono::milliseconds kStuckDeviceMargin{500};
// The longest single wait: the device only estimates the time left, and a
// waiter that handles just the events already pending still gets to do so
// this often.
constexpr std::chrono::milliseconds kLongestWait{20};

// Called again and again while a cue plays, to spend the given time before
// the cue is checked again; the window uses it to keep painting and taking
// clicks, keys and its close request. Whatever it throws ends the cue at once
// and leaves the game call, with the device closed.
using CueWaiter = std::function<void(std::chrono::milliseconds)>;

} // namespace marvesto
