// The banker's offer: the pool formula while the pool is above 100, the case
// formula from the own case's amount at or below it, at the six offer counts.
#include "game_rig.h"
#include "prize_ladder.h"
#include "rule_test.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;

namespace {

Currency Dollars(std::int64_t dollars) {
    return Currency::FromScaled(dollars * 10000);
}

// A full 26-click game: the prizes of `first` in their order, then every
// other prize in ascending order but those of `last`, which end the game.
std::vector<int> GameDrawing(const std::vector<int>& first, const std::vector<int>& last) {
    std::vector<int> order = first;
    for (int p = 1; p <= kPrizeCount; ++p) {
        if (std::ranges::count(first, p) + std::ranges::count(last, p) == 0) {
            order.push_back(p);
        }
    }
    order.insert(order.end(), last.begin(), last.end());
    return order;
}

// The n-th offer comes after this many clicks.
constexpr int kClicksToOffer[] = {0, 6, 11, 15, 19, 22, 24};

} // namespace

TEST_CASE("pool formula worked example") {
    GameRig rig;
    rig.Start();
    rig.ScriptPrizes({4, 12, 21, 5, 23, 2, 26, 1, 8, 19, 16});
    rig.ClickNext(5);
    const auto start = rig.log.Size();
    rig.ClickNext(1);
    const GameState& state = rig.game.State();
    CHECK(state.BankPool == 408975.0F);
    CHECK(state.Offer == Dollars(16356));
    const Entries expected{"hide Label27",
                           "hide Command6",
                           "hide Label2",
                           "hide Label28",
                           "cue DIAL.wav",
                           "show Label27",
                           "caption Label27 [OFFER: $ 16356]",
                           "show Label28"};
    CHECK(rig.log.From(start) == expected);

    rig.ClickNext(5);
    CHECK(state.BankPool == 98900.0F);
    CHECK(state.Offer == Dollars(5934));
    CHECK(rig.board.Caption(kOffer) == std::string("OFFER: $ 5934"));
    // The $200 of click 11 waits for the third offer.
    CHECK(DeductedFlag(state, 16) == std::int16_t{0});
}

// Each row plays a whole game drawn in a chosen order to its n-th offer.
TEST_CASE("edge values") {
    struct Row {
        const char* name;
        std::vector<int> prizes;
        int offer;
        int factor;
        float pool;
        std::int64_t dollars;
    };
    std::vector<Row> rows;

    // Both formulas in one game: 350 hundreds times 4 at the first offer,
    // then $200,000 times 2 / 1.8 from a pool below 100.
    const std::vector<int> bothFormulas{1, 2, 3, 4, 5, 6, 7, 26, 25, 24, 23};
    rows.push_back({"pool formula worked example", bothFormulas, 1, 2, 35000.0F, 1400});
    rows.push_back({"case formula worked example", bothFormulas, 2, 2, -3.0F, 222222});
    rows.push_back({"pool exactly 100 uses the case formula",
                    GameDrawing({1}, {6, 11, 15, 16, 17, 19, 21, 22, 23, 24, 25, 26}), 3, 1, 100.0F,
                    111111});
    rows.push_back(
        {"pool 137 gives the multiplier", GameDrawing({}, {6, 10, 15}), 6, 1, 137.0F, 38});
    rows.push_back({"pool 199 gives the multiplier",
                    GameDrawing({}, {6, 11, 15, 16, 17, 18, 19, 21, 22, 23, 24, 26}), 3, 1, 199.0F,
                    10});
    rows.push_back({"pool 200 gives twice the multiplier",
                    GameDrawing({}, {6, 10, 15, 20, 22, 24, 25, 26}), 4, 1, 200.0F, 44});
    rows.push_back(
        {"225 / 1.8 is 125, not 124", GameDrawing({19}, {24, 25, 26}), 6, 3, -22610.0F, 125});
    rows.push_back({"own $150, factor 3", GameDrawing({17}, {24, 25, 26}), 6, 3, -22610.0F, 250});
    rows.push_back({"own $1, factor 1", GameDrawing({25}, {23, 24, 26}), 6, 1, -22606.0F, 0});
    rows.push_back({"own $1, factor 3", GameDrawing({25}, {23, 24, 26}), 6, 3, -22606.0F, 1});
    rows.push_back(
        {"own $200,000, factor 3", GameDrawing({1}, {23, 24, 25}), 6, 3, -22605.0F, 333333});
    rows.push_back({"own 50 cents, factor 3", GameDrawing({26}, {23, 24, 25}), 6, 3, -22605.0F, 0});
    rows.push_back({"lowest pool: $1, $2 and 50 cents left", GameDrawing({3}, {24, 25, 26}), 6, 1,
                    -22610.0F, 41666});
    // Each offer of a game drawn from the smallest prize up, by the pool
    // formula with that offer's multiplier; the first is the highest
    // first offer there is.
    std::vector<int> smallestFirst(kPrizeCount);
    std::iota(smallestFirst.rbegin(), smallestFirst.rend(), 1);
    rows.push_back({"first offer: 4 times 4899", smallestFirst, 1, 1, 489982.0F, 19596});
    rows.push_back({"second offer: 6 times 4895", smallestFirst, 2, 1, 489587.0F, 29370});
    rows.push_back({"third offer: 10 times 4878", smallestFirst, 3, 1, 487887.0F, 48780});
    rows.push_back({"fourth offer: 22 times 4773", smallestFirst, 4, 1, 477387.0F, 105006});
    rows.push_back({"fifth offer: 32 times 4323", smallestFirst, 5, 1, 432387.0F, 138336});
    rows.push_back({"sixth offer: 38 times 3523", smallestFirst, 6, 1, 352387.0F, 133874});
    for (const Row& row : rows) {
        CAPTURE(row.name);
        GameRig rig;
        rig.Start();
        rig.ScriptPrizes(row.prizes, std::vector<int>(6, row.factor));
        rig.ClickNext(kClicksToOffer[row.offer]);
        CHECK(rig.game.State().BankPool == row.pool);
        CHECK(rig.game.State().Offer == Dollars(row.dollars));
        CHECK(rig.board.Caption(kOffer) == "OFFER: $ " + std::to_string(row.dollars));
    }
}

// The 24th click's prize triggers the sixth offer and no offer follows, so
// it is never taken off the pool.
TEST_CASE("prize of the twenty fourth click is never deducted") {
    GameRig rig;
    rig.Start();
    rig.ScriptPrizes(GameDrawing({}, {2, 24, 25}));
    rig.ClickNext(24);
    const float pool = rig.game.State().BankPool;
    CHECK(pool == 100000.0F + 3.0F - 22613.0F);
    rig.ClickNext(2);
    CHECK(rig.game.State().BankPool == pool);
    CHECK(DeductedFlag(rig.game.State(), 2) == std::int16_t{0});
}
