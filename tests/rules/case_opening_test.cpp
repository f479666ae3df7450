// The first click chooses the own case, every later click draws a prize never
// drawn before and strikes it off the ladder.
#include "game_rig.h"
#include "rule_test.h"

#include <cstdint>
#include <string>

using namespace marvesto;
using namespace marvesto::testing;

// The own case's prize stays on the ladder; every later click hides the
// offer and DEAL, which refuses an offer shown, and strikes its prize.
TEST_CASE("first click chooses the own case later clicks open cases") {
    GameRig rig;
    rig.Start();
    rig.ScriptPrizes({4, 26});
    auto start = rig.log.Size();
    rig.game.CommandClick(7);
    const Entries first{"cue INTRO.wav",
                        "hide Label27",
                        "hide Command7",
                        "show Label30",
                        "caption Label30 [CASE  7]",
                        "hide Label29",
                        "hide Label28"};
    CHECK(rig.log.From(start) == first);
    const GameState& state = rig.game.State();
    CHECK(state.PickCount == std::int16_t{2});
    CHECK(state.OwnPrize == std::int16_t{4});
    CHECK(state.DrawnPrizes[3] == std::int16_t{4});

    start = rig.log.Size();
    rig.game.CommandClick(26);
    const Entries later{"hide Label27", "hide Command26", "hide Label26", "hide Label28"};
    CHECK(rig.log.From(start) == later);
}

TEST_CASE("duplicates are drawn again one value per attempt") {
    GameRig rig;
    rig.Start();
    rig.ScriptPrizes({5});
    rig.game.CommandClick(1);
    // Prize 5 is already out: two repeats of it before a new prize comes.
    for (const int prize : {5, 5, 9}) {
        rig.random.Add(ValueForPrize(prize));
    }
    const auto consumedBefore = rig.random.Consumed();
    rig.game.CommandClick(2);
    CHECK(rig.random.Consumed() - consumedBefore == std::size_t{3});
    CHECK(rig.game.State().DrawnPrizes[4] == std::int16_t{9});
    CHECK(!rig.board.IsShown(Control::Label(9)));
}

// An opened case's button is hidden; a stray click on it must neither draw
// (which never ends once every prize is out) nor count. A case number
// outside 1..26 fails before it touches anything.
TEST_CASE("clicks on no closed case change nothing") {
    GameRig rig;
    rig.Start();
    rig.ScriptPrizes({3, 4});
    const auto atStart = rig.log.Size();
    CHECK_THROWS_AS(rig.game.CommandClick(27), RunTimeError);
    CHECK_THROWS_AS(rig.game.CommandClick(0), RunTimeError);
    CHECK(rig.log.Size() == atStart);
    rig.ClickNext(2);
    const auto before = rig.log.Size();
    const auto consumed = rig.random.Consumed();
    rig.game.CommandClick(2);
    CHECK(rig.log.Size() == before);
    CHECK(rig.random.Consumed() == consumed);
    CHECK(rig.game.State().PickCount == std::int16_t{3});
}
