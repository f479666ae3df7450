// Times the cue player's wait and the cues it skips (figures 3 and 4 of
// bench/README.md), printing each sample as `NAME VALUE` lines; with a WAV
// file, what a long cue costs in memory while it plays (figure 8).
//
//     cue_timing_bench [PLAYS_PER_DRIVER]
//     cue_timing_bench --memory WAV_FILE
#include "cue_device.h"
#include "loaded_wav.h"
#include "sdl_cue_player.h"
#include "test_wav.h"

#include <QTemporaryDir>

#include <SDL.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr std::chrono::milliseconds kCueLength{2000};
constexpr int kSkipRepeats = 1000;

// The whole process's, all threads, as glibc counts it.
double ProcessorSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Plays the cue `plays` times; a name ending in "-us" times each call, any
// other the overrun beyond the cue's length and the processor's share.
void Time(const std::string& name, const char* driver, const std::string& cue, int plays) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    marvesto::SdlCuePlayer player({});
    player.Prepare();
    for (int play = 0; play < plays; ++play) {
        const double processorBefore = ProcessorSeconds();
        const auto start = Clock::now();
        player.PlayCue(cue);
        const Seconds took = Clock::now() - start;
        if (name.ends_with("-us")) {
            std::printf("%s %.2f\n", name.c_str(), 1e6 * took.count());
        } else {
            std::printf("overrun-%s-ms %.2f\nprocessor-%s-percent %.3f\n", name.c_str(),
                        1000 * Seconds(took - kCueLength).count(), name.c_str(),
                        100 * (ProcessorSeconds() - processorBefore) / took.count());
        }
    }
}

// The peak resident size so far, in MiB: the kernel's VmHWM.
double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The cue should be held once: read, not copied again for the device.
int MeasureMemory(const char* wavFile) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "no sound: %s\n", SDL_GetError());
        return 1;
    }
    const double before = PeakMiB();
    const marvesto::LoadedWav cue(wavFile);
    const double loaded = PeakMiB();
    {
        marvesto::CueDevice device;
        if (!device.IsOpen() || !device.Start(cue)) {
            std::fprintf(stderr, "no sound: %s\n", SDL_GetError());
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        std::printf("cue of %.1f MB: peak resident %.1f MiB before reading it, %.1f MiB once "
                    "read, %.1f MiB while it plays\n",
                    cue.Length() / 1e6, before, loaded, PeakMiB());
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--memory") {
        return MeasureMemory(argv[2]);
    }
    const int plays = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    // SDL's disk driver announces itself on every device it opens.
    SDL_LogSetOutputFunction([](void*, int, SDL_LogPriority, const char*) {}, nullptr);
    const QTemporaryDir folder;
    const std::string in = folder.path().toStdString() + "/";
    std::ofstream(in + "corrupt.wav") << "not a wave file";
    setenv("SDL_DISKAUDIOFILE", (in + "device.raw").c_str(), 1);
    for (const int rate : {44100, 22050}) {
        const std::string cue = in + "cue-" + std::to_string(rate) + ".wav";
        marvesto::testing::WriteToneWav(cue, kCueLength, {.rate = rate});
        for (const char* driver : {"disk", "dummy"}) {
            Time(std::string(driver) + "-" + std::to_string(rate), driver, cue, plays);
        }
    }
    Time("skip-missing-file-us", "dummy", in + "missing.wav", kSkipRepeats);
    Time("skip-corrupt-file-us", "dummy", in + "corrupt.wav", kSkipRepeats);
    Time("skip-without-a-driver-us", "nonexistent", in + "cue-44100.wav", kSkipRepeats);
    return 0;
}
