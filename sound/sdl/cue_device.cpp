#include "cue_device.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

CueDevice::CueDevice(const LoadedWav& cue)
    : format_(cue.Format()), samples_(cue.Samples()), length_(cue.Length()) {
    SDL_AudioSpec wanted = format_;
    wanted.samples = BufferFrames(format_.freq);
    wanted.callback = &CueDevice::Feed;
    wanted.userdata = this;
    id_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained_, 0);
    if (id_ == 0) {
        return;
    }
    SDL_PauseAudioDevice(id_, 0);
}

CueDevice::~CueDevice() {
    if (IsPlaying()) {
        SDL_CloseAudioDevice(id_);
    }
}

void CueDevice::Feed(void* device, Uint8* buffer, int size) {
    // Runs on SDL's audio thread, with the device locked.
    auto& self = *static_cast<CueDevice*>(device);
    const auto wanted = static_cast<Uint32>(size);
    const Uint32 given = std::min(wanted, self.length_ - self.given_);
    std::memcpy(buffer, self.samples_ + self.given_, given);
    std::memset(buffer + given, self.obtained_.silence, wanted - given);
    self.given_ += given;
}

std::chrono::microseconds CueDevice::QueuedTime() const {
    SDL_LockAudioDevice(id_);
    const Uint32 left = length_ - given_;
    SDL_UnlockAudioDevice(id_);
    // The samples are in the cue's own format; SDL converts them as it takes
    // them.
    return PlayingTime(left, format_);
}

std::chrono::microseconds CueDevice::BufferPeriod() const {
    return std::chrono::microseconds{Uint64{obtained_.samples} * 1'000'000 / obtained_.freq};
}

} // namespace marvesto
