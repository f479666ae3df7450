// Readies the sound once the window's first frame is on screen, for every
// front end: readying a device can take a tenth of a second and more (a sound
// server to reach, or none to find), which the player should not wait for
// before seeing the window. The front end says when the frame is on screen,
// and the sound is readied then, on this thread, with no thread of ours. A cue
// asked for before then readies the sound first, so none is lost.
#pragma once

#include "cue_player.h"

#include <string>

namespace marvesto {

class DeferredSound : public CuePlayer {
public:
    // Passes the calls on to `cues`.
    explicit DeferredSound(CuePlayer& cues) : cues_(cues) {}

    // Remembers that the sound is wanted; it is readied after the first frame.
    void Prepare() override;
    void PlayCue(const std::string& fileName) override;

    // The window's first frame is on screen.
    void FirstFrameShown();

private:
    void PrepareNow();

    CuePlayer& cues_;
    bool wanted_ = false;
    bool prepared_ = false;
};

} // namespace marvesto
