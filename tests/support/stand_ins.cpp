#include "stand_ins.h"

#include "number_text.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace marvesto::testing {

namespace {

constexpr std::array kHiddenAtStart{StatusLabel::kOffer, StatusLabel::kDeal, StatusLabel::kEnd,
                                    StatusLabel::kResult};

// The uniform value in the middle of the range that draws offer factor f, 1..3.
double ValueForFactor(int factor) {
    return (factor - 0.5) / 3.0;
}

} // namespace

RecordingBoard::RecordingBoard(CallLog& log, BoardView* window) : log_(log), window_(window) {
    for (int k = 1; k <= kCaseCount; ++k) {
        shown_[Control::Command(k).Name()] = true;
    }
    for (int n = 1; n <= Control::kLastNumberedLabel; ++n) {
        shown_[Control::Label(n).Name()] = true;
    }
    shown_[Control::Label(StatusLabel::kHighScore).Name()] = true;
    for (const int n : kHiddenAtStart) {
        shown_[Control::Label(n).Name()] = false;
    }
}

void RecordingBoard::Show(Control label) {
    log_.Add("show " + label.Name());
    shown_[label.Name()] = true;
    if (window_ != nullptr) {
        window_->Show(label);
    }
}

void RecordingBoard::Hide(Control control) {
    log_.Add("hide " + control.Name());
    shown_[control.Name()] = false;
    if (window_ != nullptr) {
        window_->Hide(control);
    }
}

void RecordingBoard::SetCaption(Control label, const std::string& text) {
    log_.Add("caption " + label.Name() + " [" + text + "]");
    captions_[label.Name()] = text;
    if (window_ != nullptr) {
        window_->SetCaption(label, text);
    }
}

bool RecordingBoard::IsShown(Control control) const {
    return shown_.at(control.Name());
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

float FakeStore::Load() {
    log_.Add("load high score");
    return stored;
}

void FakeStore::Save(Currency amount) {
    log_.Add("save" + NumberText(amount));
    saves.push_back(amount);
}

void ScriptedRandom::Randomize() {
    log_.Add("randomize");
}

void ScriptedRandom::AddPrizes(const std::vector<int>& prizes, const std::vector<int>& factors) {
    for (const int prize : prizes) {
        Add(ValueForPrize(prize));
        ++scriptedClicks_;
        if (IsOfferPickCount(scriptedClicks_ + 1)) {
            const int factor = factorsUsed_ < factors.size() ? factors[factorsUsed_] : 1;
            ++factorsUsed_;
            Add(ValueForFactor(factor));
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

void RecordingEnd::QuitProgram() {
    log_.Add("quit");
    ++quits;
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
