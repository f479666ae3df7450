// A game wired to recording fakes, with helpers to script whole sequences of
// clicks by the prizes they are to draw.
#pragma once

#include "game.h"
#include "recording_fakes.h"

#include <cstddef>
#include <vector>

namespace marvesto::testing {

struct GameRig {
    // Runs Form_Load with the given stored high score.
    explicit GameRig(float storedHighScore = 0.0F);

    // Scripts the random values so that the coming clicks, counted from the
    // first click of the game, draw these prizes in this order; each click
    // that brings an offer also draws the next of the offer factors (1 when
    // they run out).
    void ScriptPrizes(const std::vector<int>& prizes, const std::vector<int>& factors = {});
    // Clicks the given cases in order.
    void Click(const std::vector<int>& cases);
    // Clicks `count` more cases, taking the lowest closed case numbers.
    void ClickNext(int count);
    // The log entries from position `from` on.
    CallLog LogFrom(std::size_t from) const;

    CallLog log;
    RecordingBoard board{log};
    RecordingCues cues{log};
    FakeStore store{log};
    ScriptedRandom random{log};
    RecordingEnd end{log};
    Game game{GameServices{board, cues, store, random, end}};
};

} // namespace marvesto::testing
