#include "sound_after_first_frame.h"

#include "after_first_frame.h"

namespace marvesto {

SoundAfterFirstFrame::SoundAfterFirstFrame(QWidget& window, CuePlayer& cues) : cues_(cues) {
    AfterFirstFrame(window, *this, [this] { PrepareNow(); });
}

void SoundAfterFirstFrame::Prepare() {
    wanted_ = true;
}

void SoundAfterFirstFrame::PlayCue(const std::string& fileName) {
    PrepareNow();
    cues_.PlayCue(fileName);
}

void SoundAfterFirstFrame::PrepareNow() {
    if (!wanted_ || prepared_) {
        return;
    }
    prepared_ = true;
    cues_.Prepare();
}

} // namespace marvesto
