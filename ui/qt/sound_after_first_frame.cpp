#include "sound_after_first_frame.h"

#include "after_first_frame.h"

namespace marvesto {

SoundAfterFirstFrame::SoundAfterFirstFrame(QWidget& window, CuePlayer& cues) : DeferredSound(cues) {
    AfterFirstFrame(window, *this, [this] { FirstFrameShown(); });
}

} // namespace marvesto
