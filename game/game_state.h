// Every variable of one game. One run of the program is one game, so the
// record is initialised once at start-up and never reset.
#pragma once

#include "checked.h"
#include "control.h"
#include "currency.h"

#include <cstdint>

namespace marvesto {

// Prizes 1..25 each have a deducted flag; prize 26 has none.
constexpr int kDeductiblePrizeCount = 25;

struct GameState {
    // Number 1..26 of the player's own case; 0 while none has been chosen.
    std::int16_t ChosenCase = 0;
    // 1 while case k is unopened, 0 once it has been clicked.
    BoundedArray<std::int16_t, 1, kCaseCount> CaseClosed;
    // Slot i holds the flag of prize 25 - i: the flags run from prize 25 down
    // to prize 1. Use DeductedFlag() to reach them by prize.
    BoundedArray<std::int16_t, 0, kDeductiblePrizeCount - 1> PrizeDeducted;
    std::int16_t OfferFactor = 0;
    // 0 until the own case's click has been processed; while 0 a drawn prize
    // is not struck off the ladder.
    std::int16_t RevealArmed = 0;
    Currency Offer;
    float BankPool = 0.0F;
    // Shared by the duplicate scan of the draw and the deduction loop of the
    // offer; after the draw it is the slot where the new prize goes.
    std::int16_t LoopIndex = 0;
    // 1 plus the number of case clicks so far.
    std::int16_t PickCount = 0;
    std::int16_t DrawnPrize = 0;
    // Prize indices in the order drawn: click n stores its prize at slot n + 2,
    // so slots 0..2 stay 0 and match no prize.
    BoundedArray<std::int16_t, 0, 30> DrawnPrizes;
    std::int16_t OfferMultiplier = 0;
    std::int16_t DuplicateFound = 0;
    // Prize index 1..26 inside the own case; 0 while none is chosen.
    std::int16_t OwnPrize = 0;
    // The own case's amount from the moment it is chosen; the offer after a deal.
    Currency Winnings;
    float HiScore = 0.0F;
    float FileNumber = 0.0F;
};

// The flag is handed out for writing, so the state cannot be const here.
// cppcheck-suppress constParameter
inline std::int16_t& DeductedFlag(GameState& state, int prize) {
    return state.PrizeDeducted[kDeductiblePrizeCount - prize];
}

inline std::int16_t DeductedFlag(const GameState& state, int prize) {
    return state.PrizeDeducted[kDeductiblePrizeCount - prize];
}

} // namespace marvesto
