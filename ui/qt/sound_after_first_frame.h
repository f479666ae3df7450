// Tells the deferred sound when the window's first frame is on screen.
#pragma once

#include "deferred_sound.h"

#include <QObject>
#include <QWidget>

namespace marvesto {

// A QObject, so that the sound is not readied once it is gone.
class SoundAfterFirstFrame : public QObject, public DeferredSound {
public:
    // Passes the calls on to `cues`.
    SoundAfterFirstFrame(QWidget& window, CuePlayer& cues);
};

} // namespace marvesto
