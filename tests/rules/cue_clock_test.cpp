// How long a cue holds the game, on every platform: the device's word counts
// only between the cue's length and the margin after it. A cue ended early
// would show an offer over its dial tone; a device that never reports the end
// (MCI without its notice, SDL's device that stops taking samples) must not
// hold the game.
#include "cue_clock.h"
#include "cue_wait.h"
#include "rule_test.h"

#include <chrono>
#include <optional>

using namespace marvesto;
using namespace std::chrono_literals;
using std::chrono::milliseconds;

namespace {

// How long a cue of the given length holds the game against a device that
// says, from the start, when it will have played it; time passes exactly as
// the clock asks. Every wait is checked on the way.
milliseconds HeldFor(milliseconds length, std::optional<milliseconds> deviceSays) {
    const CueClock::Clock::time_point start{};
    const CueClock clock(start, length);
    std::optional<CueClock::Clock::time_point> deviceEnd;
    if (deviceSays) {
        deviceEnd = start + *deviceSays;
    }
    auto now = start;
    while (const std::optional<milliseconds> wait = clock.NextWait(now, deviceEnd)) {
        CHECK(*wait > 0ms);
        CHECK(*wait <= kLongestWait);
        now += *wait;
    }
    return std::chrono::duration_cast<milliseconds>(now - start);
}

} // namespace

TEST_CASE("a cue holds the game from its length to its length and the margin") {
    struct Row {
        milliseconds length;
        std::optional<milliseconds> deviceSays;
        milliseconds held;
    };
    for (const Row& row : {
             Row{600ms, 640ms, 640ms},
             // A device that takes the samples faster than it plays them.
             Row{600ms, 100ms, 600ms},
             Row{600ms, std::nullopt, 600ms + kStuckDeviceMargin},
             Row{600ms, 600ms + kStuckDeviceMargin + 1ms, 600ms + kStuckDeviceMargin},
             Row{0ms, 0ms, 0ms},
         }) {
        CAPTURE(row.length.count());
        CHECK(HeldFor(row.length, row.deviceSays) == row.held);
    }
}
