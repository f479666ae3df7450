// The default SDL output device, opened for the length of one cue: it plays
// the whole cue queued on it and is closed again when destroyed.
#pragma once

#include "loaded_wav.h"

#include <SDL.h>

#include <chrono>

namespace marvesto {

class CueDevice {
public:
    // Opens the device for samples in the cue's format, which SDL converts to
    // whatever the hardware takes, queues the whole cue and starts playing
    // it. On failure the device is left closed and SDL_GetError says why.
    explicit CueDevice(const LoadedWav& cue);
    // Closing joins SDL's audio thread, which takes up to two buffer periods.
    ~CueDevice();
    CueDevice(const CueDevice&) = delete;
    CueDevice& operator=(const CueDevice&) = delete;

    bool IsPlaying() const { return id_ != 0; }
    // How long the samples still waiting in the queue take to play.
    std::chrono::microseconds QueuedTime() const;
    // The device takes samples in buffers of this length, so the last buffer
    // is still playing for up to this long after the queue runs dry.
    std::chrono::microseconds BufferPeriod() const;

private:
    SDL_AudioSpec format_;
    SDL_AudioSpec obtained_{};
    SDL_AudioDeviceID id_ = 0;
};

} // namespace marvesto
