// Starts Marvesto on Windows: the only place where the Win32 window, the
// game, the store and the random source are built and wired together.
#include "board_news.h"
#include "file_high_score_store.h"
#include "game.h"
#include "game_driver.h"
#include "marvesto_window.h"
#include "problem_report.h"
#include "program_exit.h"
#include "time_of_day_random.h"
#include "typeface.h"
#include "window_accessibility.h"

#include <windows.h>

#include <exception>

namespace {

// Every cue is silence, as a missing WAV file is, until the Windows build
// plays them; the game never waits for one.
class SilentCues : public marvesto::CuePlayer {
public:
    void Prepare() override {}
    void PlayCue(const std::string& /*fileName*/) override {}
};

int Play(HINSTANCE instance, int showCommand) {
    using namespace marvesto;
    LoadBundledTypeface();
    MarvestoWindow window(instance);
    ProgramExit programExit([](int status) { PostQuitMessage(status); });
    FileHighScoreStore store("Print.txt", StoreFailureReport(window.Handle()));
    SilentCues cues;
    TimeOfDayRandom random;
    WindowAccessibility accessibility(window.Handle());
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
    window.RunMessageLoop();
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
