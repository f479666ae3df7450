// Readies the sound once the window's first frame is on screen. Loading SDL
// and starting its audio can take a tenth of a second (with no sound server
// SDL waits for ALSA to list its devices), and the player should not wait that
// long for the window. A cue asked for before then readies the sound first, so
// none is lost.
#pragma once

#include "cue_player.h"

#include <QObject>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

namespace marvesto {

class SoundAfterFirstFrame : public QObject, public CuePlayer {
    Q_OBJECT

public:
    // Gives the cue player to use from then on; none means silence.
    using Loader = std::function<std::unique_ptr<CuePlayer>()>;

    SoundAfterFirstFrame(QWidget& window, Loader load);

    // Remembers that the sound is wanted; it is readied after the first frame.
    void Prepare() override;
    void PlayCue(const std::string& fileName) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PrepareNow();

    QWidget& window_;
    Loader load_;
    std::unique_ptr<CuePlayer> cues_;
    bool wanted_ = false;
    bool prepared_ = false;
};

} // namespace marvesto
