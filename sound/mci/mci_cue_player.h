// Plays the game's WAV cues through the Media Control Interface (winmm), each
// to its end.
#pragma once

#include "cue_player.h"
#include "cue_reports.h"
#include "cue_wait.h"

#include <windows.h>

#include <chrono>
#include <string>

namespace marvesto {

class MciCue;

class MciCuePlayer : public CuePlayer {
public:
    // An empty waiter sleeps, waking for the device's word.
    explicit MciCuePlayer(CueWaiter waiter);

    // Counts the system's audio outputs, which loads its audio drivers and
    // reaches the sound server: done before the first cue, it spares that cue
    // a few tenths of a second. With no output there is no sound for the rest
    // of the run, said once; later cues read no file and open no device.
    void Prepare() override;
    // Plays the named WAV file and returns when it has finished. A missing
    // file is silence; one that cannot be opened or played is skipped at once
    // and reported once, and the next cue tries again.
    void PlayCue(const std::string& fileName) override;

private:
    void WaitUntilPlayed(const MciCue& cue, std::chrono::milliseconds length,
                         const std::string& fileName);
    void Failed(const std::string& fileName, const std::string& reason);
    void Wait(std::chrono::milliseconds time, HWND notice);

    CueWaiter waiter_;
    bool soundReady_ = false;
    CueReports reports_;
};

} // namespace marvesto
