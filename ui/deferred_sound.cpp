#include "deferred_sound.h"

namespace marvesto {

void DeferredSound::Prepare() {
    wanted_ = true;
}

void DeferredSound::PlayCue(const std::string& fileName) {
    PrepareNow();
    cues_.PlayCue(fileName);
}

void DeferredSound::FirstFrameShown() {
    PrepareNow();
}

void DeferredSound::PrepareNow() {
    if (!wanted_ || prepared_) {
        return;
    }
    prepared_ = true;
    cues_.Prepare();
}

} // namespace marvesto
