// Times the cue player's wait, and cues it skips (figures 3 and 4 of
// bench/README.md).
//
//     cue_timing_bench [plays per driver, default 5]
#include "figures.h"
#include "sdl_cue_player.h"
#include "test_wav.h"

#include <SDL.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr std::chrono::milliseconds kCueLength{2000};
constexpr int kSkipRepeats = 1000;

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](timeval time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void TimeCues(const std::string& driver, const std::string& cue, int rate, int plays) {
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    marvesto::SdlCuePlayer player({});
    player.Prepare();
    std::vector<double> overruns;
    std::vector<double> processorShares;
    for (int play = 0; play < plays; ++play) {
        const double processorBefore = ProcessorSeconds();
        const auto start = Clock::now();
        player.PlayCue(cue);
        const Seconds took = Clock::now() - start;
        overruns.push_back(1000 * Seconds(took - kCueLength).count());
        processorShares.push_back(100 * (ProcessorSeconds() - processorBefore) / took.count());
    }
    const std::string what = driver + "-" + std::to_string(rate);
    PrintFigure("overrun-" + what, overruns, "ms");
    PrintFigure("processor-" + what, processorShares, "%");
}

void TimeSkips(const std::string& what, const char* driver, const std::string& cue) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    marvesto::SdlCuePlayer player({});
    player.Prepare();
    std::vector<double> times;
    for (int repeat = 0; repeat < kSkipRepeats; ++repeat) {
        const auto start = Clock::now();
        player.PlayCue(cue);
        times.push_back(1e6 * Seconds(Clock::now() - start).count());
    }
    PrintFigure("skip-" + what, times, "us");
}

} // namespace

int main(int argc, char** argv) {
    const int plays = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    // SDL's disk driver announces itself on every device it opens.
    SDL_LogSetOutputFunction([](void*, int, SDL_LogPriority, const char*) {}, nullptr);
    std::string folderTemplate = "/tmp/cue_timing_XXXXXX";
    if (mkdtemp(folderTemplate.data()) == nullptr) {
        std::perror("cue_timing_bench: cannot make a folder for the cues");
        return 1;
    }
    const std::filesystem::path folder = folderTemplate;
    const std::string corrupt = folder / "corrupt.wav";
    std::ofstream(corrupt) << "not a wave file";
    setenv("SDL_DISKAUDIOFILE", (folder / "device.raw").c_str(), 1);
    for (const int rate : {44100, 22050}) {
        const std::string cue = folder / ("cue-" + std::to_string(rate) + ".wav");
        marvesto::testing::WriteToneWav(cue, kCueLength, {.rate = rate});
        for (const char* driver : {"disk", "dummy"}) {
            TimeCues(driver, cue, rate, plays);
        }
    }
    TimeSkips("missing-file", "dummy", folder / "missing.wav");
    TimeSkips("corrupt-file", "dummy", corrupt);
    TimeSkips("without-a-driver", "nonexistent", folder / "cue-44100.wav");
    std::filesystem::remove_all(folder);
    return 0;
}
