// Plays the game's WAV cues through SDL's audio subsystem, each to its end.
#pragma once

#include "cue_player.h"

#include <chrono>
#include <functional>
#include <string>

namespace marvesto {

class SdlCuePlayer : public CuePlayer {
public:
    // Called again and again while a cue plays, with the longest time to
    // spend before the cue is checked again; the window uses it to keep
    // painting. An empty waiter sleeps.
    using Waiter = std::function<void(std::chrono::milliseconds)>;

    explicit SdlCuePlayer(Waiter waiter);
    ~SdlCuePlayer() override;
    SdlCuePlayer(const SdlCuePlayer&) = delete;
    SdlCuePlayer& operator=(const SdlCuePlayer&) = delete;

    void Prepare() override;
    void PlayCue(const std::string& fileName) override;

private:
    Waiter waiter_;
    bool audioReady_ = false;
};

} // namespace marvesto
