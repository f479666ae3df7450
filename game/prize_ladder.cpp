#include "prize_ladder.h"

namespace marvesto {

namespace {

constexpr Currency Dollars(std::int64_t dollars) {
    return Currency::FromScaled(dollars * Currency::kScale);
}

constexpr Prize MakePrize(std::int16_t index, std::int64_t dollars, std::string_view caption) {
    return Prize{index, Dollars(dollars), static_cast<float>(dollars), caption};
}

constexpr std::array<Prize, kPrizeCount> kLadder{{
    MakePrize(1, 200000, "$200,000"),
    MakePrize(2, 100000, "$100,000"),
    MakePrize(3, 75000, "$  75,000"),
    MakePrize(4, 50000, "$  50,000"),
    MakePrize(5, 30000, "$  30,000"),
    MakePrize(6, 20000, "$  20,000"),
    MakePrize(7, 15000, "$  15,000"),
    MakePrize(8, 10000, "$  10,000"),
    MakePrize(9, 5000, "$    5,000"),
    MakePrize(10, 2500, "$    2,500"),
    MakePrize(11, 2000, "$    2,000"),
    MakePrize(12, 1000, "$    1,000"),
    MakePrize(13, 750, "    $750"),
    MakePrize(14, 500, "    $500"),
    MakePrize(15, 250, "    $250"),
    MakePrize(16, 200, "    $200"),
    MakePrize(17, 150, "    $150"),
    MakePrize(18, 100, "    $100"),
    MakePrize(19, 75, "     $75"),
    MakePrize(20, 50, "     $50"),
    MakePrize(21, 20, "     $20"),
    MakePrize(22, 10, "     $10"),
    MakePrize(23, 5, "      $5"),
    MakePrize(24, 2, "      $2"),
    MakePrize(25, 1, "1 DOLLAR"),
    Prize{26, Currency::FromScaled(Currency::kScale / 2), 0.0F, " 50 CENTS"},
}};

} // namespace

const std::array<Prize, kPrizeCount>& PrizeLadder() {
    return kLadder;
}

const Prize* FindPrize(int index) {
    if (index < 1 || index > kPrizeCount) {
        return nullptr;
    }
    return &kLadder[static_cast<std::size_t>(index - 1)];
}

std::int16_t DrawPrizeIndex(RandomSource& random) {
    return DrawNumber(random, kPrizeCount);
}

} // namespace marvesto
