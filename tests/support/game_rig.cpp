#include "game_rig.h"

namespace marvesto::testing {

namespace {

template <typename Interface>
Interface& Either(Interface* replacement, Interface& standIn) {
    return replacement != nullptr ? *replacement : standIn;
}

} // namespace

const std::vector<int>& WorkedExample() {
    static const std::vector<int> prizes{4, 12, 21, 5,  23, 2,  26, 1,  8,  19, 16, 3,  6,
                                         7, 9,  10, 11, 13, 14, 15, 17, 18, 20, 22, 24, 25};
    return prizes;
}

const Entries& FinalScreenControls() {
    static const Entries shown{"Label30", "Label31", "Label32", "Label33", "Label34", "Label44"};
    return shown;
}

GameRig::GameRig(Replacements replacements)
    : board(log, replacements.window), cues(log, replacements.cues),
      game(GameServices{board, cues,
                        Either(replacements.store, static_cast<HighScoreStore&>(store)),
                        Either(replacements.random, static_cast<RandomSource&>(random)),
                        Either(replacements.end, static_cast<ProgramEnd&>(end))}) {}

void GameRig::Start(float storedHighScore) {
    store.stored = storedHighScore;
    game.Form_Load();
}

void GameRig::ScriptPrizes(const std::vector<int>& prizes, const std::vector<int>& factors) {
    random.AddPrizes(prizes, factors);
}

void GameRig::ClickNext(int count) {
    for (int k = 1; k <= kCaseCount && count > 0; ++k) {
        if (game.State().CaseClosed[k] == 1) {
            game.CommandClick(k);
            --count;
        }
    }
}

} // namespace marvesto::testing
