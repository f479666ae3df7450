#include "sound_after_first_frame.h"

#include <QEvent>
#include <QTimer>

namespace marvesto {

SoundAfterFirstFrame::SoundAfterFirstFrame(QWidget& window, CuePlayer& cues)
    : DeferredSound(cues), window_(window) {
    window_.installEventFilter(this);
}

bool SoundAfterFirstFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Paint) {
        window_.removeEventFilter(this);
        // The frame reaches the screen once this paint and the flush after it
        // are done; the next turn of the event loop comes after both.
        QTimer::singleShot(0, this, [this] { FirstFrameShown(); });
    }
    return false;
}

} // namespace marvesto
