// The fixed table of the 26 prizes. Index 1 is the largest ($200,000), index 26
// the smallest (50 cents); prize p is shown by ladder label Label<p>.
#pragma once

#include "control.h"
#include "currency.h"
#include "random_source.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace marvesto {

struct Prize {
    std::int16_t index;
    Currency amount;
    // What the banker takes off the pool for this prize; prize 26 has no
    // deducted flag and is never taken off.
    float deduction;
    // The ladder label's text; its blanks align the amounts on screen.
    std::string_view caption;

    Control LadderLabel() const { return Control::Label(index); }
};

constexpr int kPrizeCount = 26;

const std::array<Prize, kPrizeCount>& PrizeLadder();

// The prize with this index, or nullptr for an index outside 1..26 (index 0
// stands for "no prize").
const Prize* FindPrize(int index);

// floor(u * 26) + 1 for the next uniform value u: each index with equal chance.
std::int16_t DrawPrizeIndex(RandomSource& random);

} // namespace marvesto
