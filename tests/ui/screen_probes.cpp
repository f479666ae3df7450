#include "screen_probes.h"

#include <array>
#include <utility>

namespace marvesto::testing {

namespace {

constexpr int kCaseCount = 26;

const QColor kGreen(0x00, 0xFF, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);

// The ladder by column, from the left, each listing its prizes from the top;
// 0 where a column ends early.
constexpr std::array<std::pair<int, std::array<int, 6>>, 5> kLadderColumns{{
    {168, {26, 25, 24, 23, 0, 0}},
    {272, {22, 21, 20, 19, 0, 0}},
    {376, {18, 17, 16, 15, 14, 13}},
    {480, {12, 11, 10, 9, 8, 7}},
    {584, {6, 5, 4, 3, 2, 1}},
}};
constexpr int kLadderTop = 328;
constexpr int kLadderRowPitch = 24;
constexpr QSize kLadderLabelSize(89, 17);

QColor Band(int prize) {
    if (prize <= 4) {
        return kGreen;
    }
    return prize <= 12 ? kRed : kBlue;
}

} // namespace

QRect CasePlace(int k) {
    // Cases 1..5 stand in the second to sixth column of the bottom row; from
    // case 6 on they fill the rows above, seven to a row, upwards.
    const int row = k <= 5 ? 3 : 2 - (k - 6) / 7;
    const int column = k <= 5 ? k : (k - 6) % 7;
    return {16 + 96 * column, 128 + 48 * row, 81, 33};
}

bool MostlyColoured(const QImage& screen, const QRect& area, const QColor& colour) {
    if (!screen.rect().contains(area)) {
        return false;
    }
    int matching = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            matching += screen.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return 2 * matching > area.width() * area.height();
}

bool CaseShown(const QImage& screen, int k) {
    return screen.rect().contains(CasePlace(k)) && !MostlyColoured(screen, CasePlace(k), kYellow);
}

int CasesShown(const QImage& screen) {
    int shown = 0;
    for (int k = 1; k <= kCaseCount; ++k) {
        shown += CaseShown(screen, k) ? 1 : 0;
    }
    return shown;
}

int LadderLabelsShown(const QImage& screen) {
    int shown = 0;
    for (const auto& [left, prizes] : kLadderColumns) {
        for (std::size_t row = 0; row < prizes.size(); ++row) {
            if (prizes[row] == 0) {
                continue;
            }
            const QRect place(QPoint(left, kLadderTop + kLadderRowPitch * static_cast<int>(row)),
                              kLadderLabelSize);
            shown += MostlyColoured(screen, place, Band(prizes[row])) ? 1 : 0;
        }
    }
    return shown;
}

} // namespace marvesto::testing
