#include "sdl_cue_player.h"

#include "cue_device.h"
#include "cue_wait.h"
#include "loaded_wav.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <thread>
#include <utility>

namespace marvesto {

namespace {

using std::chrono::ceil;
using std::chrono::microseconds;
using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

} // namespace

SdlCuePlayer::SdlCuePlayer(Waiter waiter) : waiter_(std::move(waiter)) {}

SdlCuePlayer::~SdlCuePlayer() {
    if (audioReady_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void SdlCuePlayer::Prepare() {
    if (audioReady_) {
        return;
    }
    // SDL's own SIGINT and SIGTERM handlers would swallow those signals, which
    // must end the program as usual.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "Marvesto: no sound: %s\n", SDL_GetError());
        return;
    }
    audioReady_ = true;
    // With no sound server SDL falls back to ALSA, which lists no outputs when
    // there is no sound card; opening one anyway fails slowly and noisily.
    if (SDL_GetNumAudioDevices(0) == 0) {
        GiveUpSound("no audio output device");
    }
}

void SdlCuePlayer::PlayCue(const std::string& fileName) {
    if (!audioReady_) {
        return;
    }
    const LoadedWav wav(fileName);
    if (wav.State() == LoadedWav::Status::Missing) {
        return;
    }
    if (wav.State() == LoadedWav::Status::Unplayable) {
        ReportUnplayable(fileName, wav.Problem());
        return;
    }
    // A device that refuses this cue (its format, or a passing refusal) may
    // take the next one: every cue opens the device afresh.
    const CueDevice device(wav);
    if (!device.IsPlaying()) {
        ReportUnplayable(fileName, SDL_GetError());
        return;
    }
    WaitUntilPlayed(device, wav.Duration());
}

void SdlCuePlayer::WaitUntilPlayed(const CueDevice& device, microseconds length) {
    // A cue never ends before its length has passed, even on a device that
    // takes samples faster than it plays them, and a device that stops taking
    // them holds the game up only a little longer than the cue.
    const auto start = Clock::now();
    const auto earliestEnd = start + length;
    const auto latestEnd = earliestEnd + kStuckDeviceMargin;
    std::optional<Clock::time_point> drainedAt;
    for (auto now = start; now < latestEnd; now = Clock::now()) {
        const microseconds queued = device.QueuedTime();
        if (!drainedAt && queued.count() == 0) {
            drainedAt = now;
        }
        const auto end =
            drainedAt ? std::max(earliestEnd, *drainedAt + device.BufferPeriod()) : now + queued;
        if (now >= end) {
            return;
        }
        Wait(std::min(ceil<milliseconds>(std::min(end, latestEnd) - now), kLongestWait));
    }
}

void SdlCuePlayer::GiveUpSound(const char* reason) {
    std::fprintf(stderr, "Marvesto: no sound: %s\n", reason);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioReady_ = false;
}

void SdlCuePlayer::ReportUnplayable(const std::string& fileName, const std::string& reason) {
    if (reportedFiles_.insert(fileName).second) {
        std::fprintf(stderr, "Marvesto: cannot play %s: %s\n", fileName.c_str(), reason.c_str());
    }
}

void SdlCuePlayer::Wait(milliseconds time) {
    if (waiter_) {
        waiter_(time);
    } else {
        std::this_thread::sleep_for(time);
    }
}

} // namespace marvesto
