// Names the window's controls the game logic touches: the case buttons
// Command1..Command26 and the labels Label1..Label34 and Label44.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>

namespace marvesto {

enum class ControlKind { Command, Label };

// The numbers of the labels that each play one role beside the prize ladder.
namespace StatusLabel {
constexpr int kOffer = 27;
constexpr int kDeal = 28;
constexpr int kPrompt = 29;
constexpr int kOwnCase = 30;
constexpr int kEnd = 33;
constexpr int kResult = 34;
constexpr int kHighScore = 44;
} // namespace StatusLabel

class Control {
public:
    static constexpr int kCaseCount = 26;
    static constexpr int kLastNumberedLabel = 34;
    static constexpr int kHighScoreLabel = StatusLabel::kHighScore;

    // Both raise a run-time error for a number that names no control.
    static Control Command(int number);
    static Control Label(int number);

    ControlKind Kind() const { return kind_; }
    int Number() const { return number_; }
    // "Command7", "Label28": the control's name in the window.
    std::string Name() const;

    friend bool operator==(const Control&, const Control&) = default;
    // Orders controls so they can key a map: all buttons, then all labels.
    friend bool operator<(const Control& a, const Control& b) {
        return std::tie(a.kind_, a.number_) < std::tie(b.kind_, b.number_);
    }

private:
    Control(ControlKind kind, std::int16_t number) : kind_(kind), number_(number) {}

    ControlKind kind_;
    std::int16_t number_;
};

} // namespace marvesto
