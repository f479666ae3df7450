#include "game_rig.h"

namespace marvesto::testing {

GameRig::GameRig(float storedHighScore) {
    store.stored = storedHighScore;
    game.Form_Load();
}

void GameRig::ScriptPrizes(const std::vector<int>& prizes, const std::vector<int>& factors) {
    random.AddPrizes(prizes, factors);
}

void GameRig::Click(const std::vector<int>& cases) {
    for (const int k : cases) {
        game.CommandClick(k);
    }
}

void GameRig::ClickNext(int count) {
    for (int k = 1; k <= kCaseCount && count > 0; ++k) {
        if (game.State().CaseClosed[k] == 1) {
            game.CommandClick(k);
            --count;
        }
    }
}

CallLog GameRig::LogFrom(std::size_t from) const {
    return CallLog(log.begin() + static_cast<std::ptrdiff_t>(from), log.end());
}

} // namespace marvesto::testing
