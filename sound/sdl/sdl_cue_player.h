// Plays the game's WAV cues through SDL's audio subsystem, each to its end.
#pragma once

#include "cue_player.h"
#include "cue_reports.h"
#include "cue_wait.h"

#include <chrono>
#include <memory>
#include <string>

namespace marvesto {

class CueDevice;

class SdlCuePlayer : public CuePlayer {
public:
    // An empty waiter sleeps.
    explicit SdlCuePlayer(CueWaiter waiter);
    ~SdlCuePlayer() override;
    SdlCuePlayer(const SdlCuePlayer&) = delete;
    SdlCuePlayer& operator=(const SdlCuePlayer&) = delete;

    // Starts SDL's audio and opens the output device, which the player
    // closes and stops again when it is destroyed. Without a usable driver or
    // output device there is no sound for the rest of the run: the problem is
    // reported once, and later cues read no file and open no device.
    void Prepare() override;
    // Plays the named WAV file and returns when it has been heard. A missing
    // file is silence; one that cannot be read, or that the device refuses,
    // is skipped at once and reported once, and the next cue tries again.
    void PlayCue(const std::string& fileName) override;

private:
    // Opens the device unless it is open and running; false if it cannot.
    bool OpenDevice();
    // False if the device stopped taking samples before the cue was over.
    bool WaitUntilPlayed(const CueDevice& device, std::chrono::microseconds length);
    void GiveUpSound(const char* reason);
    void Wait(std::chrono::milliseconds time);

    CueWaiter waiter_;
    bool audioReady_ = false;
    std::unique_ptr<CueDevice> device_;
    CueReports reports_;
};

} // namespace marvesto
