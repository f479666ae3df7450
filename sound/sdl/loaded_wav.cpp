#include "loaded_wav.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace marvesto {

LoadedWav::LoadedWav(const std::string& fileName) {
    // Opening the file first tells a missing cue, which is simply silence,
    // from a file that is there but cannot be played. Non-blocking, so that a
    // named pipe in the cue's place cannot hang the game; it has no effect on
    // the reads of a regular file.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        status_ = Status::Unplayable;
        problem_ = "not an ordinary file";
        return;
    }
    std::FILE* stream = ::fdopen(fd, "rb");
    SDL_RWops* file = stream != nullptr ? SDL_RWFromFP(stream, SDL_TRUE) : nullptr;
    if (file == nullptr) {
        if (stream != nullptr) {
            std::fclose(stream);
        } else {
            ::close(fd);
        }
        status_ = Status::Unplayable;
        problem_ = "out of memory";
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
