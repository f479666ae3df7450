// A WAV file read whole into memory by SDL, in the sample format it is stored
// in, ready to be queued on an output device.
#pragma once

#include <SDL.h>

#include <chrono>
#include <string>

namespace marvesto {

class LoadedWav {
public:
    enum class Status { Loaded, Missing, Unplayable };

    // Reads the named file; a truncated file counts as unplayable rather than
    // being played in part, and so does anything but a regular file (a named
    // pipe, a device, a folder).
    explicit LoadedWav(const std::string& fileName);
    ~LoadedWav();
    LoadedWav(const LoadedWav&) = delete;
    LoadedWav& operator=(const LoadedWav&) = delete;

    Status State() const { return status_; }
    // Why an unplayable file could not be read.
    const std::string& Problem() const { return problem_; }

    const SDL_AudioSpec& Format() const { return format_; }
    const Uint8* Samples() const { return samples_; }
    Uint32 Length() const { return length_; }
    std::chrono::microseconds Duration() const;

private:
    Status status_ = Status::Missing;
    std::string problem_;
    SDL_AudioSpec format_{};
    Uint8* samples_ = nullptr;
    Uint32 length_ = 0;
};

// How long `bytes` of samples in `format` take to play.
std::chrono::microseconds PlayingTime(Uint64 bytes, const SDL_AudioSpec& format);

} // namespace marvesto
