#include "stand_ins.h"

#include "window_layout.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace marvesto::testing {

RecordingBoard::RecordingBoard(CallLog& log, BoardView* window) : log_(log), window_(window) {
    for (const CaseButtonLayout& button : CaseButtonLayouts()) {
        shown_[Control::Command(button.number).Name()] = true;
    }
    for (const LabelLayout& label : LabelLayouts()) {
        shown_[Control::Label(label.number).Name()] = label.shownAtStart;
    }
}

void RecordingBoard::SetShown(Control control, bool shown) {
    log_.Add((shown ? "show " : "hide ") + control.Name());
    shown_[control.Name()] = shown;
    if (window_ != nullptr) {
        shown ? window_->Show(control) : window_->Hide(control);
    }
}

void RecordingBoard::SetCaption(Control label, const std::string& text) {
    log_.Add("caption " + label.Name() + " [" + text + "]");
    captions_[label.Name()] = text;
    if (window_ != nullptr) {
        window_->SetCaption(label, text);
    }
}

std::string RecordingBoard::Caption(Control label) const {
    const auto found = captions_.find(label.Name());
    return found == captions_.end() ? std::string() : found->second;
}

Entries RecordingBoard::ShownControls() const {
    Entries names;
    for (const auto& [name, shown] : shown_) {
        if (shown) {
            names.push_back(name);
        }
    }
    return names;
}

void RecordingCues::Prepare() {
    log_.Add("prepare sound");
    if (player_ != nullptr) {
        player_->Prepare();
    }
}

void RecordingCues::PlayCue(const std::string& fileName) {
    const auto start = Clock::now();
    log_.Add("cue " + fileName);
    if (player_ != nullptr) {
        player_->PlayCue(fileName);
    }
    if (whilePlaying) {
        whilePlaying(fileName);
    }
    played.push_back({fileName, start, Clock::now()});
}

void ScriptedRandom::AddPrizes(const std::vector<int>& prizes, const std::vector<int>& factors) {
    for (const int prize : prizes) {
        Add(ValueForPrize(prize));
        ++scriptedClicks_;
        if (IsOfferPickCount(scriptedClicks_ + 1)) {
            const int factor = factorsUsed_ < factors.size() ? factors[factorsUsed_] : 1;
            ++factorsUsed_;
            // The middle of the range that draws offer factor 1..3.
            Add((factor - 0.5) / 3.0);
        }
    }
}

double ScriptedRandom::NextUniform() {
    if (values_.empty()) {
        throw std::logic_error("the scripted random values ran out");
    }
    const double value = values_.front();
    values_.pop_front();
    ++consumed_;
    return value;
}

bool IsOfferPickCount(int pickCount) {
    constexpr std::array kOfferPickCounts{7, 12, 16, 20, 23, 25};
    return std::find(kOfferPickCounts.begin(), kOfferPickCounts.end(), pickCount) !=
           kOfferPickCounts.end();
}

double ValueForPrize(int prize) {
    return (prize - 0.5) / 26.0;
}

} // namespace marvesto::testing
