#include "sound_after_first_frame.h"

#include <QEvent>
#include <QTimer>

namespace marvesto {

SoundAfterFirstFrame::SoundAfterFirstFrame(QWidget& window, CuePlayer& cues)
    : window_(window), cues_(cues) {
    window_.installEventFilter(this);
}

void SoundAfterFirstFrame::Prepare() {
    wanted_ = true;
}

void SoundAfterFirstFrame::PlayCue(const std::string& fileName) {
    PrepareNow();
    cues_.PlayCue(fileName);
}

bool SoundAfterFirstFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Paint) {
        window_.removeEventFilter(this);
        // The frame reaches the screen once this paint and the flush after it
        // are done; the next turn of the event loop comes after both.
        QTimer::singleShot(0, this, &SoundAfterFirstFrame::PrepareNow);
    }
    return false;
}

void SoundAfterFirstFrame::PrepareNow() {
    if (!wanted_ || prepared_) {
        return;
    }
    prepared_ = true;
    cues_.Prepare();
}

} // namespace marvesto
