// The overflow and bounds checks stand between a logic slip and silently
// corrupted game state, so each must fire exactly at its limit.
#include "checked.h"
#include "control.h"
#include "currency.h"
#include "game_state.h"
#include "prize_ladder.h"
#include "rule_test.h"
#include "stand_ins.h"

#include <cmath>
#include <cstdint>
#include <limits>

using namespace marvesto;
using namespace marvesto::testing;

TEST_CASE("counter increment stops at the sixteen bit limit") {
    std::int16_t counter = std::numeric_limits<std::int16_t>::max() - 1;
    Increment(counter);
    CHECK(counter == std::numeric_limits<std::int16_t>::max());
    CHECK_THROWS_AS(Increment(counter), RunTimeError);
    CHECK(counter == std::numeric_limits<std::int16_t>::max());
}

TEST_CASE("array access is checked at both ends") {
    BoundedArray<std::int16_t, 0, 30> drawn;
    drawn[0] = 1;
    drawn[30] = 2;
    CHECK(drawn[0] == std::int16_t{1});
    CHECK(drawn[30] == std::int16_t{2});
    CHECK_THROWS_AS(drawn[-1], RunTimeError);
    CHECK_THROWS_AS(drawn[31], RunTimeError);
}

TEST_CASE("deducted flags exist only for prizes one to twenty five") {
    GameState state;
    DeductedFlag(state, 25) = 1;
    CHECK(state.PrizeDeducted[0] == std::int16_t{1});
    DeductedFlag(state, 1) = 1;
    CHECK(state.PrizeDeducted[24] == std::int16_t{1});
    CHECK_THROWS_AS(DeductedFlag(state, 26), RunTimeError);
    CHECK_THROWS_AS(DeductedFlag(state, 0), RunTimeError);
}

TEST_CASE("currency product overflow is an error") {
    const Currency huge = Currency::FromScaled(std::numeric_limits<std::int64_t>::max() / 2);
    CHECK(huge.Times(2).Scaled() == std::numeric_limits<std::int64_t>::max() - 1);
    CHECK_THROWS_AS(huge.Times(3), RunTimeError);
    CHECK_THROWS_AS(Currency::FromWholeDollars(1e300), RunTimeError);
}

TEST_CASE("controls outside the window are errors") {
    CHECK_THROWS_AS(Control::Command(0), RunTimeError);
    CHECK_THROWS_AS(Control::Command(27), RunTimeError);
    CHECK_THROWS_AS(Control::Label(35), RunTimeError);
}

// Every value a random source promises, 0 <= u < 1, draws a prize on the
// ladder; one that breaks the promise must not yield prize 27.
TEST_CASE("draws stay on the ladder") {
    CallLog log;
    ScriptedRandom random(log);
    for (const double u : {0.0, std::nextafter(1.0, 0.0), 1.0}) {
        random.Add(u);
    }
    CHECK(DrawPrizeIndex(random) == std::int16_t{1});
    CHECK(DrawPrizeIndex(random) == std::int16_t{26});
    CHECK_THROWS_AS(DrawPrizeIndex(random), RunTimeError);
}

TEST_CASE("exact comparison of amount and single") {
    CHECK(IsGreater(Currency::FromScaled(2000010000), 200000.0F));
    CHECK(!IsGreater(Currency::FromScaled(2000000000), 200000.0F));
    CHECK(IsGreater(Currency::FromScaled(5000), 0.0F));
    CHECK(!IsGreater(Currency::FromScaled(5000), 0.5F));
    CHECK(IsGreater(Currency::FromScaled(0), -1.0F));
}
