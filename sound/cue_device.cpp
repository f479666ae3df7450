#include "cue_device.h"

#include <algorithm>
#include <bit>

namespace marvesto {

namespace {

// Buffers of about 10 ms keep the tail after the queue runs dry short, and
// with it the time closing the device takes. SDL wants a power of two.
Uint16 BufferFrames(int rate) {
    constexpr int kBuffersPerSecond = 100;
    constexpr unsigned kFewestFrames = 128;
    return static_cast<Uint16>(
        std::max(kFewestFrames, std::bit_ceil(static_cast<unsigned>(rate / kBuffersPerSecond))));
}

} // namespace

CueDevice::CueDevice(const LoadedWav& cue) : format_(cue.Format()) {
    SDL_AudioSpec wanted = format_;
    wanted.samples = BufferFrames(format_.freq);
    wanted.callback = nullptr;
    wanted.userdata = nullptr;
    id_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained_, 0);
    if (id_ == 0) {
        return;
    }
    if (SDL_QueueAudio(id_, cue.Samples(), cue.Length()) != 0) {
        SDL_CloseAudioDevice(id_);
        id_ = 0;
        return;
    }
    SDL_PauseAudioDevice(id_, 0);
}

CueDevice::~CueDevice() {
    if (IsPlaying()) {
        SDL_CloseAudioDevice(id_);
    }
}

std::chrono::microseconds CueDevice::QueuedTime() const {
    // The queue holds the samples in the cue's own format; SDL converts them
    // as it takes them off.
    return PlayingTime(SDL_GetQueuedAudioSize(id_), format_);
}

std::chrono::microseconds CueDevice::BufferPeriod() const {
    return std::chrono::microseconds{Uint64{obtained_.samples} * 1'000'000 / obtained_.freq};
}

} // namespace marvesto
