#include "recording_fakes.h"

#include "number_text.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace marvesto::testing {

namespace {

bool ShownAtStart(const std::string& name) {
    return name != "Label27" && name != "Label28" && name != "Label33" && name != "Label34";
}

} // namespace

RecordingBoard::RecordingBoard(CallLog& log) : log_(log) {
    for (int k = 1; k <= Control::kCaseCount; ++k) {
        shown_[Control::Command(k).Name()] = true;
    }
    for (int n = 1; n <= Control::kLastNumberedLabel; ++n) {
        shown_[Control::Label(n).Name()] = ShownAtStart(Control::Label(n).Name());
    }
    shown_[Control::Label(Control::kHighScoreLabel).Name()] = true;
}

void RecordingBoard::Show(Control label) {
    log_.push_back("show " + label.Name());
    shown_[label.Name()] = true;
}

void RecordingBoard::Hide(Control control) {
    log_.push_back("hide " + control.Name());
    shown_[control.Name()] = false;
}

void RecordingBoard::SetCaption(Control label, const std::string& text) {
    log_.push_back("caption " + label.Name() + " [" + text + "]");
    captions_[label.Name()] = text;
}

bool RecordingBoard::IsShown(Control control) const {
    return shown_.at(control.Name());
}

std::string RecordingBoard::Caption(Control label) const {
    const auto found = captions_.find(label.Name());
    return found == captions_.end() ? std::string() : found->second;
}

std::vector<std::string> RecordingBoard::ShownControls() const {
    std::vector<std::string> names;
    for (const auto& [name, shown] : shown_) {
        if (shown) {
            names.push_back(name);
        }
    }
    return names;
}

void RecordingCues::Prepare() {
    log_.push_back("prepare sound");
}

void RecordingCues::PlayCue(const std::string& fileName) {
    log_.push_back("cue " + fileName);
    if (whilePlaying) {
        whilePlaying(fileName);
    }
}

float FakeStore::Load() {
    log_.push_back("load high score");
    return stored;
}

void FakeStore::Save(Currency amount) {
    log_.push_back("save" + NumberText(amount));
    saves.push_back(amount);
}

void ScriptedRandom::Randomize() {
    log_.push_back("randomize");
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
    log_.push_back("quit");
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

double ValueForFactor(int factor) {
    return (factor - 0.5) / 3.0;
}

} // namespace marvesto::testing
