#include "sdl_cue_player.h"

#include "cue_clock.h"
#include "cue_device.h"
#include "loaded_wav.h"

#include <SDL.h>

#include <optional>
#include <thread>
#include <utility>

namespace marvesto {

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using Clock = CueClock::Clock;

} // namespace

SdlCuePlayer::SdlCuePlayer(CueWaiter waiter) : waiter_(std::move(waiter)) {}

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
        reports_.NoSound(SDL_GetError());
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
        reports_.CannotPlay(fileName, wav.Problem());
        return;
    }
    // A device that refuses this cue (its format, or a passing refusal) may
    // take the next one: every cue opens the device afresh.
    const CueDevice device(wav);
    if (!device.IsPlaying()) {
        reports_.CannotPlay(fileName, SDL_GetError());
        return;
    }
    WaitUntilPlayed(device, wav.Duration());
}

void SdlCuePlayer::WaitUntilPlayed(const CueDevice& device, microseconds length) {
    // The device is done once it has taken the last samples and played its
    // last buffer; until then, it expects to be done once what it has not
    // taken has played.
    const CueClock clock(Clock::now(), length);
    std::optional<Clock::time_point> drainedAt;
    for (;;) {
        const auto now = Clock::now();
        const microseconds queued = device.QueuedTime();
        if (!drainedAt && queued.count() == 0) {
            drainedAt = now;
        }
        const auto wait =
            clock.NextWait(now, drainedAt ? *drainedAt + device.BufferPeriod() : now + queued);
        if (!wait) {
            return;
        }
        Wait(*wait);
    }
}

void SdlCuePlayer::GiveUpSound(const char* reason) {
    reports_.NoSound(reason);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioReady_ = false;
}

void SdlCuePlayer::Wait(milliseconds time) {
    if (waiter_) {
        waiter_(time);
    } else {
        std::this_thread::sleep_for(time);
    }
}

} // namespace marvesto
