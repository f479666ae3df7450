// Measures what a long cue costs in memory while it plays: the process's peak
// resident size before the cue is read, once it is read, and once the device
// has been playing it for a moment. SDL's dummy driver unless SDL_AUDIODRIVER
// says otherwise.
//
//     cue_memory_bench [minutes of 96 kHz 16-bit stereo, default 10: 230 MB]
#include "cue_device.h"
#include "loaded_wav.h"

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::uint32_t kRate = 96000;
constexpr std::uint16_t kChannels = 2;
constexpr std::uint32_t kBytesPerSecond = kRate * kChannels * 2;

void Put(std::ofstream& file, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        file.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void WriteSilentCue(const std::string& path, std::uint32_t seconds) {
    const std::uint32_t bytes = seconds * kBytesPerSecond;
    std::ofstream file(path, std::ios::binary);
    file.write("RIFF", 4);
    Put(file, 36 + bytes, 4);
    file.write("WAVEfmt ", 8);
    Put(file, 16, 4);
    Put(file, 1, 2);
    Put(file, kChannels, 2);
    Put(file, kRate, 4);
    Put(file, kBytesPerSecond, 4);
    Put(file, kChannels * 2, 2);
    Put(file, 16, 2);
    file.write("data", 4);
    Put(file, bytes, 4);
    const std::vector<char> second(kBytesPerSecond);
    for (std::uint32_t s = 0; s < seconds; ++s) {
        file.write(second.data(), static_cast<std::streamsize>(second.size()));
    }
}

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
    const std::uint32_t minutes = argc > 1 ? static_cast<std::uint32_t>(std::atoi(argv[1])) : 10;
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string path =
        (std::filesystem::temp_directory_path() / "marvesto-cue-memory.wav").string();
    WriteSilentCue(path, minutes * 60);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "no sound: %s\n", SDL_GetError());
        return 1;
    }
    const double before = PeakMiB();
    const marvesto::LoadedWav cue(path);
    std::filesystem::remove(path);
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
