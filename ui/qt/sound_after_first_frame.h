// Readies the sound once the window's first frame is on screen. Starting
// SDL's audio can take a tenth of a second (with no sound server SDL waits for
// ALSA to list its devices), and the player should not wait that long for the
// window. It is started on this thread, from the event loop, with no thread of
// ours. A cue asked for before then readies the sound first, so none is lost.
#pragma once

#include "cue_player.h"

#include <QObject>
#include <QWidget>

#include <string>

namespace marvesto {

class SoundAfterFirstFrame : public QObject, public CuePlayer {
    Q_OBJECT

public:
    // Passes the calls on to `cues`.
    SoundAfterFirstFrame(QWidget& window, CuePlayer& cues);

    // Remembers that the sound is wanted; it is readied after the first frame.
    void Prepare() override;
    void PlayCue(const std::string& fileName) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PrepareNow();

    QWidget& window_;
    CuePlayer& cues_;
    bool wanted_ = false;
    bool prepared_ = false;
};

} // namespace marvesto
