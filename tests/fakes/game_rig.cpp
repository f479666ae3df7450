#include "game_rig.h"

#include <algorithm>
#include <array>

namespace marvesto::testing {

bool IsOfferPickCount(int pickCount) {
    constexpr std::array kOfferPickCounts{7, 12, 16, 20, 23, 25};
    return std::find(kOfferPickCounts.begin(), kOfferPickCounts.end(), pickCount) !=
           kOfferPickCounts.end();
}

GameRig::GameRig(float storedHighScore) {
    store.stored = storedHighScore;
    game.Form_Load();
}

void GameRig::ScriptPrizes(const std::vector<int>& prizes, const std::vector<int>& factors) {
    for (const int prize : prizes) {
        random.Add(ValueForPrize(prize));
        ++scriptedClicks_;
        if (IsOfferPickCount(scriptedClicks_ + 1)) {
            const int factor = factorsUsed_ < factors.size() ? factors[factorsUsed_] : 1;
            ++factorsUsed_;
            random.Add(ValueForFactor(factor));
        }
    }
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
