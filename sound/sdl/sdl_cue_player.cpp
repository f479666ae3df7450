#include "sdl_cue_player.h"

#include "cue_clock.h"
#include "cue_device.h"
#include "loaded_wav.h"

#include <SDL.h>

#include <memory>
#include <optional>
#include <thread>
#include <utility>

namespace marvesto {

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using Clock = CueClock::Clock;

// What the device has taken is heard within this many of its buffers: the
// one it fills plays while SDL hands it to the sound server, which holds
// about one more.
constexpr int kHeardWithin = 2;

} // namespace

SdlCuePlayer::SdlCuePlayer(CueWaiter waiter) : waiter_(std::move(waiter)) {}

SdlCuePlayer::~SdlCuePlayer() {
    device_.reset();
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
        return;
    }
    // Open now, so that the first cue starts as fast as the others; a device
    // that refuses is tried again, and named, at the next cue.
    OpenDevice();
}

bool SdlCuePlayer::OpenDevice() {
    if (!device_ || !device_->IsRunning()) {
        // The old one closed before the new one opens.
        device_.reset();
        device_ = std::make_unique<CueDevice>();
    }
    return device_->IsOpen();
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
    // A device that refuses a cue (its format, or a passing refusal) may take
    // the next one: a device that is closed or has stopped is opened afresh.
    if (!OpenDevice() || !device_->Start(wav)) {
        reports_.CannotPlay(fileName, SDL_GetError());
        return;
    }
    bool played = false;
    try {
        played = WaitUntilPlayed(*device_, wav.Duration());
    } catch (...) {
        // The cue's samples go with this call.
        device_->Stop();
        throw;
    }
    device_->Stop();
    if (!played) {
        device_.reset();
    }
}

bool SdlCuePlayer::WaitUntilPlayed(const CueDevice& device, microseconds length) {
    // The device is done once it has taken the last samples and played what
    // it took; until then, it expects to be done once what it has not taken
    // has played. One that never takes the last samples has stopped.
    const CueClock clock(Clock::now(), length);
    std::optional<Clock::time_point> drainedAt;
    for (;;) {
        const auto now = Clock::now();
        const microseconds queued = device.QueuedTime();
        if (!drainedAt && queued.count() == 0) {
            drainedAt = now;
        }
        const auto wait = clock.NextWait(
            now, drainedAt ? *drainedAt + kHeardWithin * device.BufferPeriod() : now + queued);
        if (!wait) {
            return drainedAt.has_value();
        }
        Wait(*wait);
    }
}

void SdlCuePlayer::GiveUpSound(const char* reason) {
    reports_.NoSound(reason);
    device_.reset();
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
