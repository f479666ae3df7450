// What a player who cannot see the window is told, and when: each piece of
// news right after the change on the board that brings it, and only once.
#include "board_news.h"
#include "game_rig.h"
#include "rule_test.h"

#include <string>

using namespace marvesto;
using namespace marvesto::testing;

namespace {

// Notes each piece of news with the change to the board just before it.
struct Teller : NewsListener {
    void Tell(const News& news) override {
        told.push_back(changes->All().back() + ": " + news.label.Name() +
                       (news.action ? ", press " + news.action->Name() : ""));
    }

    const CallLog* changes = nullptr;
    Entries told;
};

} // namespace

// The high score and the own case; every prize struck off, but not the
// own prize, nor the ladder the final screen clears; each offer; the
// final screen once, not again as the session ends.
TEST_CASE("a whole game told") {
    int clicks = 0;
    std::string result;
    SUBCASE("deal at the first offer") {
        clicks = kClicksToFirstOffer;
        result = "16356";
    }
    SUBCASE("to the last case") {
        clicks = kCaseCount;
        result = "50000";
    }
    CallLog unread;
    RecordingBoard board(unread, nullptr);
    Teller teller;
    BoardNews news(board, teller);
    GameRig rig({.window = &news});
    teller.changes = &rig.log;
    rig.ScriptPrizes(WorkedExample());
    rig.Start(1234.0F);
    rig.ClickNext(clicks);
    if (clicks < kCaseCount) {
        rig.game.Label28_Click();
    }
    rig.game.Label33_Click();

    Entries expected{"caption Label44 [HISCORE: 1234]: Label44",
                     "caption Label30 [CASE  1]: Label30"};
    for (int click = 2; click <= clicks; ++click) {
        const std::string prize = "Label" + std::to_string(WorkedExample()[click - 1]);
        expected.push_back("hide " + prize + ": " + prize);
        if (IsOfferPickCount(click + 1)) {
            expected.emplace_back("show Label28: Label27, press Label28");
        }
    }
    const std::string finalScreen = "caption Label34 [               YOU WIN!! $ " + result + "]: ";
    expected.push_back(finalScreen + "Label34");
    expected.push_back(finalScreen + "Label33, press Label33");
    CHECK(teller.told == expected);
}
