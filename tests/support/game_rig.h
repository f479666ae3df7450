// A game wired to the stand-ins, any of which a test can replace with the
// real thing, and the worked example that many tests play.
#pragma once

#include "game.h"
#include "stand_ins.h"

#include <vector>

namespace marvesto::testing {

// The worked example drawn over a whole game: the own case holds prize 4
// ($50,000); the first offer, after the 6th click, is $16,356; the second,
// after the 11th, $5,934. The prizes not named in the example follow in
// ascending order.
inline const std::vector<int>& WorkedExample() {
    static const std::vector<int> prizes{4, 12, 21, 5,  23, 2,  26, 1,  8,  19, 16, 3,  6,
                                         7, 9,  10, 11, 13, 14, 15, 17, 18, 20, 22, 24, 25};
    return prizes;
}
constexpr int kClicksToFirstOffer = 6;

// What the final screen shows, sorted by name.
inline const Entries& FinalScreenControls() {
    static const Entries shown{"Label30", "Label31", "Label32", "Label33", "Label34", "Label44"};
    return shown;
}

// The status labels the tests look at most, by their roles.
inline const Control kOffer = Control::Label(StatusLabel::kOffer);
inline const Control kDeal = Control::Label(StatusLabel::kDeal);
inline const Control kPrompt = Control::Label(StatusLabel::kPrompt);
inline const Control kOwnCase = Control::Label(StatusLabel::kOwnCase);
inline const Control kEnd = Control::Label(StatusLabel::kEnd);
inline const Control kResult = Control::Label(StatusLabel::kResult);
inline const Control kHighScore = Control::Label(StatusLabel::kHighScore);

// The real things a test puts in the place of the stand-ins. The board and
// cue stand-ins still record, and pass every call on to the real thing.
struct Replacements {
    BoardView* window = nullptr;
    CuePlayer* cues = nullptr;
    HighScoreStore* store = nullptr;
    RandomSource* random = nullptr;
    ProgramEnd* end = nullptr;
};

class GameRig {
public:
    explicit GameRig(Replacements replacements = {});
    GameRig(const GameRig&) = delete;
    GameRig& operator=(const GameRig&) = delete;

    // Runs the start-up with the stand-in store holding this high score.
    void Start(float storedHighScore = 0.0F);
    // Scripts the random values so that the coming clicks draw these prizes,
    // each click that brings an offer drawing the next of the factors.
    void ScriptPrizes(const std::vector<int>& prizes, const std::vector<int>& factors = {}) {
        random.AddPrizes(prizes, factors);
    }
    // Clicks `count` more cases, taking the lowest closed case numbers.
    void ClickNext(int count);

    CallLog log;
    RecordingBoard board;
    RecordingCues cues;
    FakeStore store{log};
    ScriptedRandom random{log};
    RecordingEnd end{log};
    Game game;
};

} // namespace marvesto::testing
