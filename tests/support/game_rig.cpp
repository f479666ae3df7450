#include "game_rig.h"

namespace marvesto::testing {

GameRig::GameRig(Replacements replacements)
    : board(log, replacements.window), cues(log, replacements.cues),
      game({board, cues, replacements.store != nullptr ? *replacements.store : store,
            replacements.random != nullptr ? *replacements.random : random,
            replacements.end != nullptr ? *replacements.end : end}) {}

void GameRig::Start(float storedHighScore) {
    store.stored = storedHighScore;
    game.Form_Load();
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
