// Measures what a long cue costs in memory while it plays: the process's peak
// resident size before the cue is read, once it is read, and once the device
// has been playing it for a moment. SDL's dummy driver unless SDL_AUDIODRIVER
// says otherwise.
//
//     cue_memory_bench WAV_FILE
#include "cue_device.h"
#include "loaded_wav.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

// The peak resident size so far, in MiB, from the kernel's own count.
double PeakMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0.0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s WAV_FILE\n", argv[0]);
        return 2;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "no sound: %s\n", SDL_GetError());
        return 1;
    }
    const double before = PeakMiB();
    const marvesto::LoadedWav cue(argv[1]);
    const double loaded = PeakMiB();
    {
        const marvesto::CueDevice device(cue);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        std::printf("cue of %.1f MB: peak resident %.1f MiB before reading it, %.1f MiB once "
                    "read, %.1f MiB while it plays\n",
                    cue.Length() / 1e6, before, loaded, PeakMiB());
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
}
