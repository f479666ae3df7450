// Plays the game's sound cues; every cue blocks until it has finished.
#pragma once

#include <string>

namespace marvesto {

class CuePlayer {
public:
    virtual ~CuePlayer() = default;
    // Readies the sound device once, at start-up.
    virtual void Prepare() = 0;
    // Plays the named WAV file from the working directory and returns only when
    // it has finished; a cue that cannot be played is skipped.
    virtual void PlayCue(const std::string& fileName) = 0;
};

} // namespace marvesto
