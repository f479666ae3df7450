// Start-up, the random source, and thousands of whole games with random
// click orders and random deals, checked against the game's invariants.
#include "game_rig.h"
#include "prize_ladder.h"
#include "rule_test.h"
#include "time_of_day_random.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;

namespace {

constexpr int kGames = 10000;

// The pool as the sum of what has been drawn: 490000 less the amounts of the
// prizes drawn by the clicks before the one that brought the offer.
double ExpectedPool(const GameState& state) {
    double pool = 490000.0;
    for (int slot = 3; slot <= state.PickCount; ++slot) {
        pool -= FindPrize(state.DrawnPrizes[slot])->deduction;
    }
    return pool;
}

// The first values of the random source seeded at this time of day.
std::vector<double> Sequence(double timeOfDay, int count) {
    TimeOfDayRandom random([timeOfDay] { return timeOfDay; });
    random.Randomize();
    std::vector<double> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(random.NextUniform());
    }
    return values;
}

void CheckInvariants(const GameRig& play, int clicks) {
    const GameState& state = play.game.State();
    CHECK(state.PickCount == std::int16_t(clicks + 1));
    std::set<int> drawn;
    for (int slot = 3; slot <= state.PickCount + 1; ++slot) {
        CHECK((state.DrawnPrizes[slot] >= 1 && state.DrawnPrizes[slot] <= 26));
        CHECK(drawn.insert(state.DrawnPrizes[slot]).second);
    }
    if (state.PickCount == 27) {
        return;
    }
    for (int p = 1; p <= kPrizeCount; ++p) {
        const bool opened = drawn.count(p) == 1 && p != state.OwnPrize;
        CHECK(play.board.IsShown(Control::Label(p)) == !opened);
    }
}

} // namespace

TEST_CASE("start up shows the high score then seeds then prepares sound") {
    GameRig rig;
    rig.Start(200000.0F);
    const Entries expected{"load high score", "caption Label44 [HISCORE: 200000]", "randomize",
                           "prepare sound"};
    CHECK(rig.log.All() == expected);
}

// The seed depends on the time of day only: the same moment on any date
// gives the same sequence, another moment another one.
TEST_CASE("same time of day same sequence") {
    CHECK(Sequence(0.5, 20) == Sequence(0.5, 20));
    CHECK(Sequence(0.5, 20) != Sequence(0.5 + 1.0 / 86400, 20));
    CHECK(Sequence(0.0, 20) != Sequence(0.5, 20));
}

TEST_CASE("uniform values stay below one and cover the range") {
    std::vector<int> buckets(26, 0);
    for (const double u : Sequence(0.25, 260000)) {
        CHECK((u >= 0.0 && u < 1.0));
        ++buckets[static_cast<std::size_t>(std::floor(u * 26))];
    }
    for (const int count : buckets) {
        CHECK_MESSAGE((count > 9000 && count < 11000),
                      "a prize index is drawn far too often or rarely");
    }
}

TEST_CASE("local time of day is a fraction of a day") {
    const double t = LocalTimeOfDay();
    CHECK((t >= 0.0 && t < 1.0 + 1.0 / 86400));
}

TEST_CASE("thousands of whole games") {
    std::mt19937 player(20261207);
    int deals = 0;
    for (int g = 0; g < kGames; ++g) {
        // The game's own draws come from the real random source, seeded
        // by a fixed time of day.
        const double timeOfDay = static_cast<double>(g) / kGames;
        TimeOfDayRandom random([timeOfDay] { return timeOfDay; });
        GameRig play({.random = &random});
        play.Start();
        std::vector<int> order(26);
        std::iota(order.begin(), order.end(), 1);
        std::shuffle(order.begin(), order.end(), player);

        int offers = 0;
        bool dealt = false;
        for (int click = 1; click <= 26 && !dealt; ++click) {
            play.game.CommandClick(order[static_cast<std::size_t>(click - 1)]);
            CheckInvariants(play, click);
            const GameState& state = play.game.State();
            if (!IsOfferPickCount(state.PickCount)) {
                continue;
            }
            ++offers;
            const double pool = ExpectedPool(state);
            CHECK(static_cast<double>(state.BankPool) == pool);
            const double expected =
                pool > 100 ? std::floor(pool / 100) * state.OfferMultiplier
                           : std::floor(state.OfferFactor * state.Winnings.ToDouble() / 1.8);
            CHECK(state.Offer.ToDouble() == expected);
            CHECK(play.board.IsShown(kDeal));
            if (player() % 5 == 0) {
                play.game.Label28_Click();
                CHECK(play.game.State().Winnings == state.Offer);
                dealt = true;
            }
        }
        // The game's own offers, each rung in by the dial, against the
        // test's schedule: all six when the last case ends the game.
        CHECK(std::ranges::count(play.log.All(), "cue DIAL.wav") == offers);
        CHECK((dealt || offers == 6));
        const auto finalScreens =
            std::ranges::count_if(play.log.All(), [](const std::string& entry) {
                return entry.starts_with("caption Label34 [               YOU WIN!! $");
            });
        CHECK(finalScreens == 1);
        CHECK(play.board.ShownControls() == FinalScreenControls());
        deals += dealt ? 1 : 0;
    }
    // Both endings must have been exercised many times.
    CHECK(deals > kGames / 4);
    CHECK(kGames - deals > kGames / 10);
}
