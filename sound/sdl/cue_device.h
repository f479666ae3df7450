// The default SDL output device, opened for the length of one cue: it plays
// the whole cue and is closed again when destroyed. It takes the samples from
// the loaded cue itself, so a cue is held in memory once; SDL's own queue
// would copy it whole.
#pragma once

#include "loaded_wav.h"

#include <SDL.h>

#include <chrono>

namespace marvesto {

class CueDevice {
public:
    // Opens the device for samples in the cue's format, which SDL converts to
    // whatever the hardware takes, and starts playing the cue, which must
    // outlive the device. On failure the device is left closed and
    // SDL_GetError says why.
    explicit CueDevice(const LoadedWav& cue);
    // Closing joins SDL's audio thread, which takes up to two buffer periods.
    ~CueDevice();
    CueDevice(const CueDevice&) = delete;
    CueDevice& operator=(const CueDevice&) = delete;

    bool IsPlaying() const { return id_ != 0; }
    // How long the samples the device has not yet taken take to play.
    std::chrono::microseconds QueuedTime() const;
    // The device takes samples in buffers of this length, so the last buffer
    // is still playing for up to this long after the queue runs dry.
    std::chrono::microseconds BufferPeriod() const;

private:
    static void Feed(void* device, Uint8* buffer, int size);

    SDL_AudioSpec format_;
    const Uint8* samples_;
    Uint32 length_;
    // How much of the cue the device has taken; guarded by SDL's device lock.
    Uint32 given_ = 0;
    SDL_AudioSpec obtained_{};
    SDL_AudioDeviceID id_ = 0;
};

} // namespace marvesto
