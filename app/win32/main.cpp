// Starts Marvesto on Windows: the only place where the Win32 window, the
// game, the store, the sound and the random source are built and wired
// together.
#include "board_news.h"
#include "deferred_sound.h"
#include "file_high_score_store.h"
#include "game.h"
#include "game_driver.h"
#include "marvesto_window.h"
#include "mci_cue_player.h"
#include "problem_report.h"
#include "program_exit.h"
#include "time_of_day_random.h"
#include "typeface.h"
#include "window_accessibility.h"

#include <windows.h>

#include <chrono>
#include <exception>

namespace {

int Play(HINSTANCE instance, int showCommand) {
    using namespace marvesto;
    LoadBundledTypeface();
    MarvestoWindow window(instance);
    ProgramExit programExit([](int status) { PostQuitMessage(status); });
    FileHighScoreStore store("Print.txt", StoreFailureReport(window.Handle()));
    MciCuePlayer sound(
        [&window](std::chrono::milliseconds time) { window.WaitProcessingMessages(time); });
    DeferredSound cues(sound);
    TimeOfDayRandom random;
    WindowAccessibility accessibility(window);
    BoardNews board(window, accessibility);
    Game game(GameServices{board, cues, store, random, programExit});
    GameDriver driver(window, game, programExit, [&window](const std::string& message) {
        ReportRunTimeError(window.Handle(), message);
    });
    window.RouteTo(driver);

    driver.Form_Load();
    if (programExit.Ended()) {
        return programExit.Status();
    }
    window.ShowAtStart(showCommand);
    window.RunMessageLoop([&cues] { cues.FirstFrameShown(); });
    return programExit.Status();
}

} // namespace

// The system's headers declare the entry point with names of their own.
// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    // A window that cannot be built is a run-time error of its own.
    try {
        return Play(instance, showCommand);
    } catch (const std::exception& error) {
        marvesto::ReportRunTimeError(nullptr, error.what());
        return 1;
    }
}
