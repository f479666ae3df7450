#include "loaded_wav.h"

namespace marvesto {

LoadedWav::LoadedWav(const std::string& fileName) {
    // Opening the file first tells a missing cue, which is simply silence,
    // from a file that is there but cannot be played.
    SDL_RWops* file = SDL_RWFromFile(fileName.c_str(), "rb");
    if (file == nullptr) {
        return;
    }
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    if (SDL_LoadWAV_RW(file, 1, &format_, &samples_, &length_) == nullptr) {
        status_ = Status::Unplayable;
        problem_ = SDL_GetError();
        return;
    }
    if (length_ == 0) {
        status_ = Status::Unplayable;
        problem_ = "no samples";
        return;
    }
    status_ = Status::Loaded;
}

LoadedWav::~LoadedWav() {
    SDL_FreeWAV(samples_);
}

std::chrono::microseconds LoadedWav::Duration() const {
    return PlayingTime(length_, format_);
}

std::chrono::microseconds PlayingTime(Uint64 bytes, const SDL_AudioSpec& format) {
    const Uint64 bytesPerSecond =
        Uint64{format.channels} * (SDL_AUDIO_BITSIZE(format.format) / 8) * format.freq;
    return std::chrono::microseconds{bytes * 1'000'000 / bytesPerSecond};
}

} // namespace marvesto
