#include "board_news.h"

#include "run_time_error.h"

namespace marvesto {

namespace {

const Control kOffer = Control::Label(StatusLabel::kOffer);
const Control kDeal = Control::Label(StatusLabel::kDeal);
const Control kOwnCase = Control::Label(StatusLabel::kOwnCase);
const Control kEnd = Control::Label(StatusLabel::kEnd);
const Control kResult = Control::Label(StatusLabel::kResult);
const Control kHighScore = Control::Label(StatusLabel::kHighScore);

// Case buttons and ladder labels share the numbers 1..26.
bool IsCaseButton(Control control) {
    return control.Number() <= kCaseCount && control == Control::Command(control.Number());
}

bool IsLadderLabel(Control control) {
    return control.Number() <= kCaseCount && control == Control::Label(control.Number());
}

} // namespace

BoardNews::BoardNews(BoardView& board, NewsListener& listener)
    : board_(board), listener_(listener) {}

void BoardNews::Show(Control label) {
    board_.Show(label);
    if (label == kDeal) {
        listener_.Tell({kOffer, kDeal});
    }
    if (label == kEnd) {
        finalScreen_ = true;
    }
}

void BoardNews::Hide(Control control) {
    board_.Hide(control);
    // Opening a case hides its button, then strikes its prize off the ladder
    // (from the second case on: the first is the own case). The final screen
    // clears the ladder before it hides the buttons, and that is no news.
    if (IsCaseButton(control)) {
        caseOpened_ = true;
    } else if (IsLadderLabel(control)) {
        if (caseOpened_) {
            listener_.Tell({control, std::nullopt});
        }
        caseOpened_ = false;
    }
}

void BoardNews::SetCaption(Control label, const std::string& text) {
    board_.SetCaption(label, text);
    if (label == kHighScore || label == kOwnCase) {
        listener_.Tell({label, std::nullopt});
    }
    // The end label is shown before the result line gets its amount; the
    // player hears them in reading order. The result line is rewritten as the
    // session ends, which tells nothing new.
    if (label == kResult && finalScreen_) {
        listener_.Tell({kResult, std::nullopt});
        listener_.Tell({kEnd, kEnd});
        finalScreen_ = false;
    }
}

std::string PressHint(Control label, const std::vector<std::string>& keyNames) {
    std::string deed;
    if (label == kDeal) {
        deed = "to take the offer";
    } else if (label == kEnd) {
        deed = "to end the session";
    } else {
        throw RunTimeError(label.Name() + " cannot be pressed");
    }
    std::string keys;
    for (std::size_t i = 0; i < keyNames.size(); ++i) {
        keys += (i == 0 ? "" : i + 1 == keyNames.size() ? " or " : ", ") + keyNames[i];
    }
    return "Press " + keys + " " + deed + ".";
}

} // namespace marvesto
