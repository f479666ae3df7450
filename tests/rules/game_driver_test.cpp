// The one-call-at-a-time rule between a window and the game, with no toolkit:
// the driver on the game rig's stand-ins. A cue keeps a window's events
// flowing inside a game call, so the stand-in cue hands the driver the
// clicks and close requests "made during it", then ends the waiting call as
// every front end's wait does once the program has been told to end.
#include "game_driver.h"
#include "game_rig.h"
#include "rule_test.h"
#include "run_time_error.h"

#include <algorithm>
#include <string>

using namespace marvesto;
using namespace marvesto::testing;

namespace {

class UnreadableStore : public HighScoreStore {
public:
    float Load() override { throw RunTimeError("Bad file name or number"); }
    void Save(Currency /*amount*/) override {}
};

struct DrivenGame {
    explicit DrivenGame(HighScoreStore* store = nullptr)
        : rig({.store = store, .end = &exit}),
          driver(rig.board, rig.game, exit,
                 [this](const std::string& message) { rig.log.Add("report " + message); }) {
        rig.cues.whilePlaying = [this](const std::string& cue) {
            if (duringCue) {
                duringCue(cue);
            }
            if (exit.Ended()) {
                throw ProgramClosed();
            }
        };
    }

    // Clicks `count` more cases, taking the lowest numbers still shown.
    void ClickNext(int count) {
        for (int k = 1; k <= kCaseCount && count > 0; ++k) {
            if (rig.board.IsShown(Control::Command(k))) {
                driver.CaseClicked(k);
                --count;
            }
        }
    }

    ProgramExit exit{[this](int status) { rig.log.Add("exit " + std::to_string(status)); }};
    GameRig rig;
    GameDriver driver;
    std::function<void(const std::string&)> duringCue;
};

} // namespace

TEST_CASE("clicks during a cue wait for the running call, in order") {
    DrivenGame play;
    play.rig.ScriptPrizes(WorkedExample());
    play.driver.Form_Load();
    play.duringCue = [&play](const std::string& cue) {
        if (cue == "INTRO.wav") {
            play.driver.CaseClicked(3);
            play.driver.CaseClicked(2);
            play.rig.log.Add("cue over");
        }
    };
    const auto start = play.rig.log.Size();
    play.driver.CaseClicked(1);
    // The first click, then those on CASE 3 and CASE 2, which draw prizes 12 and 21.
    const Entries expected{"cue INTRO.wav", "cue over",      "hide Label27",
                           "hide Command1", "show Label30",  "caption Label30 [CASE  1]",
                           "hide Label29",  "hide Label28",  "hide Label27",
                           "hide Command3", "hide Label12",  "hide Label28",
                           "hide Label27",  "hide Command2", "hide Label21",
                           "hide Label28"};
    CHECK(play.rig.log.From(start) == expected);
}

// Nothing the interrupted call had still to do happens, and what follows the
// close does nothing.
TEST_CASE("a close request during a cue ends the program at once") {
    for (const std::string cue : {"INTRO.wav", "DIAL.wav", "DEAL.wav", "END.wav"}) {
        CAPTURE(cue);
        DrivenGame play;
        play.rig.ScriptPrizes(WorkedExample());
        play.driver.Form_Load();
        play.duringCue = [&play, &cue](const std::string& playing) {
            if (playing == cue) {
                play.driver.CloseRequested();
            }
        };
        play.driver.CaseClicked(1);
        play.ClickNext(kClicksToFirstOffer - 1);
        play.driver.DealClicked();
        play.driver.EndClicked();
        play.driver.CaseClicked(20);
        const Entries& log = play.rig.log.All();
        const auto cueAt = std::find(log.begin(), log.end(), "cue " + cue);
        REQUIRE(cueAt != log.end());
        CHECK(Entries(cueAt + 1, log.end()) == Entries{"exit 0"});
        CHECK(play.exit.Status() == 0);
    }
}

TEST_CASE("a close request between calls ends the program at once") {
    DrivenGame play;
    play.rig.ScriptPrizes(WorkedExample());
    play.driver.Form_Load();
    const auto start = play.rig.log.Size();
    play.driver.CloseRequested();
    play.driver.CaseClicked(1);
    CHECK(play.rig.log.From(start) == Entries{"exit 0"});
}

// Before any offer and during the dial it does nothing, though DEAL is shown
// by the time it is handled, and a second one during the deal cue does not
// deal twice.
TEST_CASE("a deal acts only on a DEAL shown when it is made and when it is handled") {
    DrivenGame play;
    play.rig.ScriptPrizes(WorkedExample());
    play.driver.Form_Load();
    play.driver.DealClicked();
    CHECK(play.rig.log.All().back() == "prepare sound");
    play.duringCue = [&play](const std::string& cue) {
        if (cue == "DIAL.wav" || cue == "DEAL.wav") {
            play.driver.DealClicked();
        }
    };
    play.ClickNext(kClicksToFirstOffer);
    REQUIRE(play.rig.board.IsShown(kDeal));
    play.driver.DealClicked();
    CHECK(std::ranges::count(play.rig.log.All(), "cue DEAL.wav") == 1);
    CHECK(std::ranges::count(play.rig.log.All(),
                             "caption Label34 [               YOU WIN!! $ 16356]") == 1);
    CHECK(play.rig.board.ShownControls() == FinalScreenControls());
}

// A click queued during the failing call is dropped, and later clicks do
// nothing: the program is over.
TEST_CASE("an error escaping a click is reported and ends the program with failure") {
    for (const bool randomBreaksItsPromise : {true, false}) {
        CAPTURE(randomBreaksItsPromise);
        DrivenGame play;
        if (randomBreaksItsPromise) {
            play.rig.random.Add(1.0);
        }
        play.driver.Form_Load();
        play.duringCue = [&play](const std::string&) { play.driver.CaseClicked(2); };
        const auto start = play.rig.log.Size();
        play.driver.CaseClicked(1);
        play.driver.CaseClicked(3);
        const std::string report = randomBreaksItsPromise
                                       ? "report The random source gave a value outside [0, 1)"
                                       : "report the scripted random values ran out";
        const Entries expected{"cue INTRO.wav", "hide Label27", "hide Command1", report, "exit 1"};
        CHECK(play.rig.log.From(start) == expected);
        CHECK(play.exit.Status() == 1);
    }
}

TEST_CASE("an error at start-up is reported and ends the program before the window shows") {
    UnreadableStore store;
    DrivenGame play(&store);
    const auto start = play.rig.log.Size();
    play.driver.Form_Load();
    CHECK(play.rig.log.From(start) == Entries{"report Bad file name or number", "exit 1"});
    CHECK(play.exit.Status() == 1);
}
