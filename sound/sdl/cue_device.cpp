#include "cue_device.h"

#include <algorithm>
#include <cstring>

namespace marvesto {

namespace {

// Mono at CD's rate: the game's cues are mono, and every sound server takes
// the rate. Cues in any other format are converted to it.
constexpr int kRate = 44100;
constexpr Uint8 kChannels = 1;
// Buffers of about 10 ms keep what is on its way to the speaker short, and
// with it the time a cue is heard after the device has taken it. SDL wants a
// power of two.
constexpr Uint16 kBufferFrames = 512;
// The cue goes to the converter in pieces of this many frames. SDL 2.26's
// converter drops hundreds of frames when it resamples more than about a
// thousand in one go (measured: 1024 of a 0.7 s mono cue at 22050 Hz handed
// over 2048 frames at a time).
constexpr Uint32 kPieceFrames = 256;

} // namespace

CueDevice::CueDevice() {
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kChannels;
    wanted.samples = kBufferFrames;
    wanted.callback = &CueDevice::Feed;
    wanted.userdata = this;
    id_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained_, 0);
    if (id_ != 0) {
        SDL_PauseAudioDevice(id_, 0);
    }
}

CueDevice::~CueDevice() {
    if (IsOpen()) {
        SDL_CloseAudioDevice(id_);
    }
    SDL_FreeAudioStream(converter_);
}

bool CueDevice::IsRunning() const {
    return IsOpen() && SDL_GetAudioDeviceStatus(id_) == SDL_AUDIO_PLAYING;
}

bool CueDevice::Start(const LoadedWav& cue) {
    const SDL_AudioSpec& format = cue.Format();
    SDL_AudioStream* converter =
        SDL_NewAudioStream(format.format, format.channels, format.freq, obtained_.format,
                           obtained_.channels, obtained_.freq);
    if (converter == nullptr) {
        return false;
    }
    SDL_LockAudioDevice(id_);
    SDL_FreeAudioStream(converter_);
    converter_ = converter;
    format_ = format;
    samples_ = cue.Samples();
    length_ = cue.Length();
    given_ = 0;
    SDL_UnlockAudioDevice(id_);
    return true;
}

void CueDevice::Stop() {
    SDL_LockAudioDevice(id_);
    SDL_FreeAudioStream(converter_);
    converter_ = nullptr;
    samples_ = nullptr;
    length_ = 0;
    given_ = 0;
    SDL_UnlockAudioDevice(id_);
}

void CueDevice::Feed(void* device, Uint8* buffer, int size) {
    // Runs on SDL's audio thread, with the device locked.
    auto& self = *static_cast<CueDevice*>(device);
    int got = 0;
    if (self.converter_ != nullptr) {
        const Uint32 pieceBytes =
            kPieceFrames * self.format_.channels * (SDL_AUDIO_BITSIZE(self.format_.format) / 8);
        while (SDL_AudioStreamAvailable(self.converter_) < size && self.given_ < self.length_) {
            const Uint32 piece = std::min(pieceBytes, self.length_ - self.given_);
            SDL_AudioStreamPut(self.converter_, self.samples_ + self.given_,
                               static_cast<int>(piece));
            self.given_ += piece;
            if (self.given_ == self.length_) {
                SDL_AudioStreamFlush(self.converter_);
            }
        }
        got = std::max(0, SDL_AudioStreamGet(self.converter_, buffer, size));
    }
    std::memset(buffer + got, self.obtained_.silence, static_cast<std::size_t>(size - got));
}

std::chrono::microseconds CueDevice::QueuedTime() const {
    SDL_LockAudioDevice(id_);
    const bool playing = converter_ != nullptr;
    const Uint32 left = length_ - given_;
    const int converted = playing ? SDL_AudioStreamAvailable(converter_) : 0;
    SDL_UnlockAudioDevice(id_);
    if (!playing) {
        return std::chrono::microseconds{0};
    }
    // What is left of the cue in its own format, and what is converted to
    // the device's and not yet taken.
    return PlayingTime(left, format_) + PlayingTime(static_cast<Uint64>(converted), obtained_);
}

std::chrono::microseconds CueDevice::BufferPeriod() const {
    return std::chrono::microseconds{Uint64{obtained_.samples} * 1'000'000 / obtained_.freq};
}

} // namespace marvesto
