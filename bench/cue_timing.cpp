// Measures how long after its last sample a cue still blocks the game, how
// much processor time the wait costs, and how fast cues that cannot be played
// are skipped.
//
//     cue_timing_bench [plays per driver, default 5]
#include "sdl_cue_player.h"

#include <SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Microseconds = std::chrono::duration<double, std::micro>;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr std::chrono::milliseconds kCueLength{2000};
constexpr int kSkipRepeats = 1000;

void Put(std::ofstream& file, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        file.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// A 16-bit mono tone of the cue length.
void WriteCue(const std::string& path, std::uint32_t rate) {
    const auto frames = static_cast<std::uint32_t>(rate * kCueLength.count() / 1000);
    std::ofstream file(path, std::ios::binary);
    file << "RIFF";
    Put(file, 36 + 2 * frames, 4);
    file << "WAVEfmt ";
    Put(file, 16, 4);
    Put(file, 1, 2);
    Put(file, 1, 2);
    Put(file, rate, 4);
    Put(file, 2 * rate, 4);
    Put(file, 2, 2);
    Put(file, 16, 2);
    file << "data";
    Put(file, 2 * frames, 4);
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        const double value = 8000 * std::sin(2 * std::numbers::pi * 440 * frame / rate);
        Put(file, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), 2);
    }
}

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](timeval time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Worst(const std::vector<double>& values) {
    return *std::max_element(values.begin(), values.end());
}

void TimeCues(const char* driver, const std::string& cue, const char* format, int plays) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    marvesto::SdlCuePlayer player({});
    player.Prepare();
    std::vector<double> overruns;
    std::vector<double> processorShares;
    for (int play = 0; play < plays; ++play) {
        const double processorBefore = ProcessorSeconds();
        const auto start = Clock::now();
        player.PlayCue(cue);
        const auto took = Clock::now() - start;
        const double processor = ProcessorSeconds() - processorBefore;
        overruns.push_back(Milliseconds(took - kCueLength).count());
        processorShares.push_back(100 * processor / std::chrono::duration<double>(took).count());
    }
    std::printf("%-6s %-9s overrun median %5.1f ms, worst %5.1f ms; processor median %4.2f %%, "
                "worst %4.2f %% of one core\n",
                driver, format, Median(overruns), Worst(overruns), Median(processorShares),
                Worst(processorShares));
}

void TimeSkips(const char* what, const char* driver, const std::string& cue) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    marvesto::SdlCuePlayer player({});
    player.Prepare();
    std::vector<double> times;
    for (int repeat = 0; repeat < kSkipRepeats; ++repeat) {
        const auto start = Clock::now();
        player.PlayCue(cue);
        times.push_back(Microseconds(Clock::now() - start).count());
    }
    std::printf("skip %-22s median %7.1f us, worst %7.1f us\n", what, Median(times), Worst(times));
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
    const std::string cue = folder / "cue.wav";
    const std::string lowRateCue = folder / "low-rate-cue.wav";
    const std::string corrupt = folder / "corrupt.wav";
    WriteCue(cue, 44100);
    WriteCue(lowRateCue, 22050);
    std::ofstream(corrupt) << "not a wave file";
    setenv("SDL_DISKAUDIOFILE", (folder / "device.raw").c_str(), 1);

    std::printf("%d plays of a %lld ms cue per driver\n", plays,
                static_cast<long long>(kCueLength.count()));
    for (const char* driver : {"disk", "dummy"}) {
        TimeCues(driver, cue, "44100 Hz", plays);
        TimeCues(driver, lowRateCue, "22050 Hz", plays);
    }
    TimeSkips("missing file", "dummy", (folder / "missing.wav").string());
    TimeSkips("corrupt file", "dummy", corrupt);
    TimeSkips("without a driver", "nonexistent", cue);

    std::filesystem::remove_all(folder);
    return 0;
}
