// Times the Windows cue player under Wine (bench/README.md): how long
// PlayCue blocks beyond each cue's length, the first cue of the process
// apart, with the sound readied beforehand as the program readies it after
// its first frame; printing each sample as a `NAME VALUE` line.
//
//     cue_timing_bench PAUSE_MS CUE LENGTH_MS [CUE LENGTH_MS]...
//
// PAUSE_MS is the time between readying the sound and the first cue.
#include "mci_cue_player.h"
#include "wide_text.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: cue_timing_bench PAUSE_MS CUE LENGTH_MS...\n");
        return 2;
    }
    marvesto::MciCuePlayer player({});
    const auto prepared = Clock::now();
    player.Prepare();
    std::printf("prepare-ms %.1f\n", Milliseconds(Clock::now() - prepared).count());
    Sleep(static_cast<DWORD>(std::wcstol(argv[1], nullptr, 10)));
    for (int cue = 2; cue < argc; cue += 2) {
        const Milliseconds length(std::wcstod(argv[cue + 1], nullptr));
        const auto start = Clock::now();
        player.PlayCue(marvesto::Narrowed(argv[cue]));
        std::printf("overrun-%s-ms %.1f\n", cue == 2 ? "first" : "later",
                    (Milliseconds(Clock::now() - start) - length).count());
    }
    return 0;
}
