// Both endings lead to the same final screen: accepting an offer, or opening
// the last case.
#include "game_rig.h"
#include "rule_test.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;

namespace {

Currency Dollars(std::int64_t dollars) {
    return Currency::FromScaled(dollars * 10000);
}

// The log of an ending: `expected`, the final screen showing the amount won, its save.
Entries EndingWith(Entries expected, const std::string& amount) {
    for (const std::string kind : {"Label", "Command"}) {
        for (int n = 1; n <= 26; ++n) {
            expected.push_back("hide " + kind + std::to_string(n));
        }
    }
    expected.insert(expected.end(),
                    {"show Label30", "show Label33", "hide Label28", "hide Label27", "show Label34",
                     "caption Label34 [               YOU WIN!! $ " + amount + "]",
                     "save " + amount});
    return expected;
}

} // namespace

TEST_CASE("deal saves twice plays the cue then shows the final screen") {
    GameRig rig;
    rig.Start(100.0F);
    rig.ScriptPrizes(WorkedExample());
    rig.ClickNext(kClicksToFirstOffer);
    Currency winningsDuringCue;
    rig.cues.whilePlaying = [&](const std::string&) {
        winningsDuringCue = rig.game.State().Winnings;
    };
    const auto start = rig.log.Size();
    rig.game.Label28_Click();
    CHECK(rig.log.From(start) == EndingWith({"save 16356", "cue DEAL.wav"}, "16356"));
    CHECK(winningsDuringCue == Dollars(50000));
}

// Only a deal above the high score is saved; the high score shown stays
// the one read at start-up.
TEST_CASE("deal saves only above the high score") {
    struct Row {
        const char* name;
        float highScore;
        std::size_t saves;
    };
    for (const Row& row : std::vector<Row>{Row{"one dollar below the offer", 16355.0F, 2},
                                           Row{"the offer itself", 16356.0F, 0}}) {
        CAPTURE(row.name);
        const float highScore = row.highScore;
        const std::size_t saves = row.saves;
        GameRig rig;
        rig.Start(highScore);
        rig.ScriptPrizes(WorkedExample());
        rig.ClickNext(kClicksToFirstOffer);
        rig.game.Label28_Click();
        CHECK(rig.store.saves == std::vector<Currency>(saves, Dollars(16356)));
        CHECK(rig.game.State().HiScore == highScore);
        CHECK(rig.board.Caption(kHighScore) ==
              "HISCORE: " + std::to_string(static_cast<int>(highScore)));
    }
}

TEST_CASE("last case wins the own amount without a cue") {
    GameRig rig;
    rig.Start(0.0F);
    // The worked example with the own case holding 50 cents.
    std::vector<int> prizes = WorkedExample();
    prizes.erase(std::find(prizes.begin(), prizes.end(), 26));
    prizes.insert(prizes.begin(), 26);
    rig.ScriptPrizes(prizes);
    rig.ClickNext(25);
    const auto start = rig.log.Size();
    rig.ClickNext(1);
    CHECK(rig.log.From(start) ==
          EndingWith({"hide Label27", "hide Command26", "hide Label25", "hide Label28"}, ".5"));
}
