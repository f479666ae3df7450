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
const std::vector<int>& WorkedExample();
constexpr int kClicksToFirstOffer = 6;

// What the final screen shows, sorted by name.
const Entries& FinalScreenControls();

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
    void ScriptPrizes(const std::vector<int>& prizes, const std::vector<int>& factors = {});
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
