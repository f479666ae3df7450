// Starts Marvesto: the only place where the real window, game, store, sound
// and random source are built and wired together.
#include "board_news.h"
#include "desktop_identity.h"
#include "display_check.h"
#include "event_waiter.h"
#include "file_high_score_store.h"
#include "game.h"
#include "game_driver.h"
#include "marvesto_window.h"
#include "problem_report.h"
#include "program_exit.h"
#include "sdl_cue_player.h"
#include "sound_after_first_frame.h"
#include "spoken_news.h"
#include "time_of_day_random.h"
#include "window_platform.h"
#include "window_routing.h"

#include <QApplication>
#include <QPixmapCache>

#include <optional>

int main(int argc, char* argv[]) {
    using namespace marvesto;

    // The program has no command line, and the toolkit's own options (-reverse,
    // -qwindowtitle, -stylesheet, ...) would change the fixed window: the
    // toolkit sees the program's name alone.
    int toolkitArgumentCount = argc > 0 ? 1 : 0;
    ChooseWindowPlatform();
    std::optional<DisplayCheck> displayCheck;
    displayCheck.emplace();
    QApplication application(toolkitArgumentCount, argv);
    displayCheck.reset();
    // Qt's style keeps a drawn copy of each case button for every state it is
    // shown in, one set per button since each resolves a palette of its own:
    // over 1 MB by the end of a game, to spare redrawing that takes
    // microseconds.
    QPixmapCache::setCacheLimit(0);

    // Made before the window, so that at the end the window goes first and
    // the sound device closes after it.
    SdlCuePlayer sound(WaitProcessingEvents);
    MarvestoWindow window;
    TakeDesktopIdentity(window);
    ProgramExit programExit([](int status) { QCoreApplication::exit(status); });
    FileHighScoreStore store("Print.txt", StoreFailureReport(&window));
    SoundAfterFirstFrame cues(window, sound);
    TimeOfDayRandom random;
    SpokenNews spokenNews(window);
    BoardNews board(window, spokenNews);
    Game game(GameServices{board, cues, store, random, programExit});
    GameDriver driver(window, game, programExit, [&window](const std::string& message) {
        ReportRunTimeError(&window, message);
    });
    RouteToDriver(window, driver);

    driver.Form_Load();
    if (programExit.Ended()) {
        return programExit.Status();
    }
    window.show();
    window.activateWindow();
    window.FocusFirstCase();
    return QApplication::exec();
}
