// The default SDL output device, open while the sound is ready: it plays
// silence between cues and each cue it is given, converted to its own format
// a piece at a time as it takes the samples, so that a cue is held in memory
// once. Kept open from cue to cue, it starts a cue within one buffer of
// being asked: opening a device and closing it again, as every cue did, held
// the game some 40 ms beyond each cue, and the sound server's start more.
#pragma once

#include "loaded_wav.h"

#include <SDL.h>

#include <chrono>

namespace marvesto {

class CueDevice {
public:
    // Opens the device and starts it playing silence. On failure the device
    // is left closed and SDL_GetError says why.
    CueDevice();
    // Closing joins SDL's audio thread, which takes up to two buffer periods.
    ~CueDevice();
    CueDevice(const CueDevice&) = delete;
    CueDevice& operator=(const CueDevice&) = delete;

    bool IsOpen() const { return id_ != 0; }
    // False once the device has stopped for good, a sound server gone away
    // for instance.
    bool IsRunning() const;

    // Starts playing the cue, which must outlive the next Stop. False when
    // the cue's format cannot be converted to the device's; SDL_GetError
    // says why.
    bool Start(const LoadedWav& cue);
    // Back to silence.
    void Stop();

    // How long what the device has not yet taken of the cue takes to play.
    std::chrono::microseconds QueuedTime() const;
    // The device takes samples in buffers of this length; what it has taken
    // is heard within about two of them.
    std::chrono::microseconds BufferPeriod() const;

private:
    static void Feed(void* device, Uint8* buffer, int size);

    SDL_AudioSpec obtained_{};
    SDL_AudioDeviceID id_ = 0;
    // The cue playing, if any, and how much of it the device has taken; all
    // guarded by SDL's device lock.
    SDL_AudioStream* converter_ = nullptr;
    SDL_AudioSpec format_{};
    const Uint8* samples_ = nullptr;
    Uint32 length_ = 0;
    Uint32 given_ = 0;
};

} // namespace marvesto
