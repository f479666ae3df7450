// Names the window's controls the game logic touches: the case buttons
// Command1..Command26 and the labels Label1..Label34 and Label44.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>

namespace marvesto {

// One case button per case, Command1..Command26.
constexpr int kCaseCount = 26;

// The numbers of the labels that each play one role beside the prize ladder.
namespace StatusLabel {
constexpr int kOffer = 27;
constexpr int kDeal = 28;
constexpr int kPrompt = 29;
constexpr int kOwnCase = 30;
constexpr int kTitle = 31;
constexpr int kCredit = 32;
constexpr int kEnd = 33;
constexpr int kResult = 34;
constexpr int kHighScore = 44;
} // namespace StatusLabel

class Control {
public:
    // Label1..Label34 are numbered without a gap; Label44 stands apart.
    static constexpr int kLastNumberedLabel = StatusLabel::kResult;

    // Both raise a run-time error for a number that names no control.
    static Control Command(int number);
    static Control Label(int number);

    int Number() const { return number_; }
    // "Command7", "Label28": the control's name in the window.
    std::string Name() const;

    friend bool operator==(const Control&, const Control&) = default;
    // Orders controls so they can key a map: all buttons, then all labels.
    friend bool operator<(const Control& a, const Control& b) {
        return std::tie(a.kind_, a.number_) < std::tie(b.kind_, b.number_);
    }

private:
    enum class Kind { Command, Label };

    Control(Kind kind, std::int16_t number) : kind_(kind), number_(number) {}

    Kind kind_;
    std::int16_t number_;
};

} // namespace marvesto
