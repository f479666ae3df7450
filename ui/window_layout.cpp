#include "window_layout.h"

#include "prize_ladder.h"

#include <algorithm>
#include <array>
#include <utility>

namespace marvesto {

namespace {

constexpr int kTwipsPerInch = 1440;

constexpr Rgb kYellow{0xFF, 0xFF, 0x00};
constexpr Rgb kRed{0xFF, 0x00, 0x00};
constexpr Rgb kGreen{0x00, 0xFF, 0x00};
constexpr Rgb kBlue{0x00, 0x00, 0xFF};
constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
constexpr Rgb kOfferGreen{0x00, 0xC0, 0x00};
constexpr Rgb kPaleYellow{0xFF, 0xFF, 0x80};

constexpr FontSpec kWindowFont{.points = 14.25, .bold = false, .italic = true};
constexpr FontSpec kBoardFont{.points = 11.25, .bold = true, .italic = false};
constexpr FontSpec kOfferFont{.points = 15.75, .bold = true, .italic = false};
constexpr FontSpec kDealFont{.points = 14.25, .bold = true, .italic = true};
constexpr FontSpec kOwnCaseFont{.points = 14.25, .bold = true, .italic = false};
constexpr FontSpec kTitleFont{.points = 48, .bold = false, .italic = true};
constexpr FontSpec kPromptFont{.points = 24, .bold = true, .italic = true};
constexpr FontSpec kHighScoreFont{.points = 9.75, .bold = true, .italic = true};

// The case buttons by row, from the top; each row lists the button number in
// each of the seven columns, 0 where the bottom row leaves a column empty.
constexpr int kCaseWidth = 1215;
constexpr int kCaseHeight = 495;
constexpr int kCaseFirstLeft = 240;
constexpr int kCaseColumnPitch = 1440;
constexpr std::array<std::pair<int, std::array<int, 7>>, 4> kCaseRows{{
    {1920, {20, 21, 22, 23, 24, 25, 26}},
    {2640, {13, 14, 15, 16, 17, 18, 19}},
    {3360, {6, 7, 8, 9, 10, 11, 12}},
    {4080, {0, 1, 2, 3, 4, 5, 0}},
}};

// The prize ladder by column, from the left; each column lists its labels
// from the top, 0 where a short column ends. Captions come from the prizes.
constexpr int kLadderWidth = 1335;
constexpr int kLadderHeight = 255;
constexpr int kLadderFirstTop = 4920;
constexpr int kLadderRowPitch = 360;
constexpr std::array<std::pair<int, std::array<int, 6>>, 5> kLadderColumns{{
    {2520, {26, 25, 24, 23, 0, 0}},
    {4080, {22, 21, 20, 19, 0, 0}},
    {5640, {18, 17, 16, 15, 14, 13}},
    {7200, {12, 11, 10, 9, 8, 7}},
    {8760, {6, 5, 4, 3, 2, 1}},
}};
// Prizes 1..4 are the green band, 5..12 the red one, the rest the blue one.
constexpr int kLastGreenPrize = 4;
constexpr int kLastRedPrize = 12;

const std::string kCreditCaption = "Created by Marvesto Team ";
const std::string kEndCaption = std::string(28, ' ') + "CLICK  TO END YOUR SESSION! ";

int ToPixels(int twips, int dotsPerInch) {
    return (twips * dotsPerInch + kTwipsPerInch / 2) / kTwipsPerInch;
}

LabelLayout LadderLabel(int prize, TwipRect place) {
    LabelLayout label{.number = prize,
                      .caption = std::string(FindPrize(prize)->caption),
                      .place = place,
                      .font = kBoardFont,
                      .text = kWhite,
                      .background = kBlue,
                      .shownAtStart = true};
    if (prize <= kLastGreenPrize) {
        label.text = std::nullopt;
        label.background = kGreen;
    } else if (prize <= kLastRedPrize) {
        label.background = kRed;
    }
    return label;
}

} // namespace

PixelRect ToPixels(const TwipRect& twips, int dotsPerInch) {
    return {ToPixels(twips.left, dotsPerInch), ToPixels(twips.top, dotsPerInch),
            ToPixels(twips.width, dotsPerInch), ToPixels(twips.height, dotsPerInch)};
}

WindowLayout MainWindowLayout() {
    return WindowLayout{.name = "MARVESTO",
                        .title = "Marvesto?",
                        .clientArea = {0, 0, 10350, 7575},
                        .background = kYellow,
                        .font = kWindowFont};
}

std::vector<CaseButtonLayout> CaseButtonLayouts() {
    std::vector<CaseButtonLayout> buttons;
    for (const auto& [top, numbers] : kCaseRows) {
        for (std::size_t column = 0; column < numbers.size(); ++column) {
            if (numbers[column] == 0) {
                continue;
            }
            const int left = kCaseFirstLeft + static_cast<int>(column) * kCaseColumnPitch;
            buttons.push_back({.number = numbers[column],
                               .caption = "CASE " + std::to_string(numbers[column]),
                               .place = {left, top, kCaseWidth, kCaseHeight},
                               .font = kBoardFont});
        }
    }
    std::sort(buttons.begin(), buttons.end(),
              [](const auto& a, const auto& b) { return a.number < b.number; });
    return buttons;
}

std::vector<LabelLayout> LabelLayouts() {
    std::vector<LabelLayout> labels;
    for (const auto& [left, prizes] : kLadderColumns) {
        for (std::size_t row = 0; row < prizes.size(); ++row) {
            if (prizes[row] == 0) {
                continue;
            }
            const int top = kLadderFirstTop + static_cast<int>(row) * kLadderRowPitch;
            labels.push_back(LadderLabel(prizes[row], {left, top, kLadderWidth, kLadderHeight}));
        }
    }
    // Declared one by one: a unity build of the static checks may hold other
    // constants of these names.
    using StatusLabel::kCredit, StatusLabel::kDeal, StatusLabel::kEnd, StatusLabel::kHighScore,
        StatusLabel::kOffer, StatusLabel::kOwnCase, StatusLabel::kPrompt, StatusLabel::kResult,
        StatusLabel::kTitle;
    // Each row: number, caption, place, font (empty: the window's), text and
    // background colours, shown at start.
    const std::vector<LabelLayout> statusLabels{
        {kOffer, "OFFER:", {120, 6480, 3615, 495}, kOfferFont, kOfferGreen, kYellow, false},
        {kDeal, ">  DEAL  <", {120, 6960, 1935, 375}, kDealFont, kPaleYellow, kRed, false},
        {kOwnCase, "", {4440, 7080, 1575, 375}, kOwnCaseFont, std::nullopt, kYellow, true},
        {kTitle, "MARVESTO?", {1560, 240, 7215, 975}, kTitleFont, kYellow, kRed, true},
        {kCredit, kCreditCaption, {3240, 1320, 4095, 375}, std::nullopt, kRed, kYellow, true},
        {kPrompt, " CHOOSE YOUR CASE!", {2400, 4800, 7815, 2295}, kPromptFont, kRed, kYellow, true},
        {kEnd, kEndCaption, {120, 3240, 10095, 735}, std::nullopt, kYellow, kRed, false},
        {kResult, "", {2280, 4080, 5775, 495}, std::nullopt, kYellow, kRed, false},
        {kHighScore, "", {8040, 7080, 2175, 375}, kHighScoreFont, kRed, kYellow, true},
    };
    labels.insert(labels.end(), statusLabels.begin(), statusLabels.end());
    return labels;
}

} // namespace marvesto
