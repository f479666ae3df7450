#include "sdl_cue_player.h"

#include "cue_device.h"
#include "loaded_wav.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

namespace marvesto {

namespace {

using std::chrono::ceil;
using std::chrono::microseconds;
using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// A device that stops taking samples must not hang the game for longer than
// the cue plus this.
constexpr milliseconds kStuckDeviceMargin{500};
// The longest single wait: the queue's length only estimates the time left,
// and a waiter that handles just the events already pending still gets to do
// so this often.
constexpr milliseconds kLongestWait{20};
// What the device has taken is heard within this many of its buffers: the
// one it fills plays while SDL hands it to the sound server, which holds
// about one more.
constexpr int kHeardWithin = 2;

} // namespace

SdlCuePlayer::SdlCuePlayer(Waiter waiter) : waiter_(std::move(waiter)) {}

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
        std::fprintf(stderr, "Marvesto: no sound: %s\n", SDL_GetError());
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
        ReportUnplayable(fileName, wav.Problem());
        return;
    }
    // A device that refuses a cue (its format, or a passing refusal) may take
    // the next one: a device that is closed or has stopped is opened afresh.
    if (!OpenDevice() || !device_->Start(wav)) {
        ReportUnplayable(fileName, SDL_GetError());
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
            drainedAt ? std::max(earliestEnd, *drainedAt + kHeardWithin * device.BufferPeriod())
                      : now + queued;
        if (now >= end) {
            return true;
        }
        Wait(std::min(ceil<milliseconds>(std::min(end, latestEnd) - now), kLongestWait));
    }
    return false;
}

void SdlCuePlayer::GiveUpSound(const char* reason) {
    std::fprintf(stderr, "Marvesto: no sound: %s\n", reason);
    device_.reset();
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
