// Times case clicks inside the process (figures 5 and 6 of bench/README.md),
// on whatever display Qt is given, in an empty folder: every cue is missing.
// Prints each sample as a line `NAME VALUE`.
//
//     click_timing_bench [games, default 20]
#include "event_waiter.h"
#include "game_rig.h"
#include "layout_in_qt.h"
#include "sdl_cue_player.h"
#include "window_rig.h"

#include <QApplication>
#include <QDir>
#include <QPixmapCache>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace marvesto;
using namespace marvesto::testing;
using Clock = std::chrono::steady_clock;
using Microseconds = std::chrono::duration<double, std::micro>;

constexpr int kFirstClickRounds = 2000;
constexpr int kCases = 26;
// Lets the window settle between clicks, so each click starts from an idle
// event loop as a player's does.
constexpr int kPauseMilliseconds = 5;
constexpr std::chrono::seconds kPaintPatience{1};

// Runs `time` for the game (true) and for its yardstick (false), the game
// first on even turns, so that neither always finds the caches as the other
// left them; returns the game's time and the yardstick's.
template <typename Time>
std::pair<double, double> InTurns(int turn, Time time) {
    const bool gameFirst = turn % 2 == 0;
    const double first = time(gameFirst);
    const double second = time(!gameFirst);
    return gameFirst ? std::pair{first, second} : std::pair{second, first};
}

// The first click of a fresh game: the one that asks for the intro cue. The
// cue stand-in alone plays nothing.
double TimeFirstClick(CuePlayer* cues) {
    GameRig rig({.cues = cues});
    rig.Start();
    rig.random.Add(ValueForPrize(1));
    const auto start = Clock::now();
    rig.game.CommandClick(1);
    return Microseconds(Clock::now() - start).count();
}

void TimeMissingCue(CuePlayer& player) {
    for (int round = 0; round < kFirstClickRounds; ++round) {
        const auto [missing, none] =
            InTurns(round, [&](bool real) { return TimeFirstClick(real ? &player : nullptr); });
        std::printf("first-click-missing-cue-us %.2f\nfirst-click-no-cue-player-us %.2f\n"
                    "missing-cue-added-us %.2f\n",
                    missing, none, missing - none);
    }
}

// Counts the paint events of one window's widgets.
class PaintCounter : public QObject {
public:
    // Qt drops a filter from its list when the filter is destroyed.
    explicit PaintCounter(const QWidget& window) : window_(window) {
        qApp->installEventFilter(this);
    }

    int Paints() const { return paints_; }

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() == QEvent::Paint && target->isWidgetType() &&
            static_cast<QWidget*>(target)->window() == &window_) {
            ++paints_;
        }
        return false;
    }

private:
    const QWidget& window_;
    int paints_ = 0;
};

// From the press until the repaint the click caused has been drawn and
// flushed to the window system: QTest delivers the press and the release
// synchronously, the game's call runs inside the release, and the event
// processing that follows paints the dirty widgets and flushes the window's
// backing store.
double TimeClick(QWidget& window, QPoint place) {
    const PaintCounter counter(window);
    const auto start = Clock::now();
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, place);
    while (counter.Paints() == 0 && Clock::now() - start < kPaintPatience) {
        QCoreApplication::processEvents();
    }
    const auto end = Clock::now();
    if (counter.Paints() == 0) {
        throw std::runtime_error("a click caused no repaint");
    }
    return Microseconds(end - start).count();
}

void PlayGame(CuePlayer& cues, unsigned seed) {
    std::mt19937 shuffler(seed);
    std::vector<CaseButtonLayout> order = CaseButtonLayouts();
    std::vector<int> prizes(kCases);
    std::iota(prizes.begin(), prizes.end(), 1);
    std::shuffle(order.begin(), order.end(), shuffler);
    std::shuffle(prizes.begin(), prizes.end(), shuffler);

    // The game as the program wires it, with a scripted random source and a
    // store that keeps nothing.
    WindowRig wired(&cues);
    std::vector<int> factors;
    for (int click = 1; click <= kCases; ++click) {
        if (IsOfferPickCount(click + 1)) {
            factors.push_back(1 + click % 3);
        }
    }
    wired.rig.ScriptPrizes(prizes, factors);
    wired.Start();
    // What Qt alone spends on such a click: a window of 26 push buttons at the
    // case buttons' places, each hiding itself when clicked.
    QWidget bare;
    bare.setFixedSize(ToQRect(MainWindowLayout().clientArea).size());
    for (const CaseButtonLayout& layout : order) {
        auto* button = new QPushButton(ToQString(layout.caption), &bare);
        button->setGeometry(ToQRect(layout.place));
        QObject::connect(button, &QPushButton::clicked, button, &QWidget::hide);
    }
    bare.move(wired.window.width() + 10, 0);
    bare.show();
    if (!QTest::qWaitForWindowExposed(&bare)) {
        throw std::runtime_error("the bare buttons were never exposed");
    }

    for (int click = 1; click <= kCases; ++click) {
        const QPoint place = ToQRect(order[static_cast<std::size_t>(click - 1)].place).center();
        const char* kind = click == 1                    ? "first"
                           : click == kCases             ? "last"
                           : IsOfferPickCount(click + 1) ? "offer"
                                                         : "plain";
        const auto [game, yardstick] = InTurns(click, [&](bool isGame) {
            QTest::qWait(kPauseMilliseconds);
            return TimeClick(isGame ? static_cast<QWidget&>(wired.window) : bare, place);
        });
        std::printf("case-click-us %.2f\ncase-click-%s-us %.2f\nbare-button-click-us %.2f\n", game,
                    kind, game, yardstick);
    }
    if (wired.exit.Ended() || !wired.window.IsShown(Control::Label(33))) {
        throw std::runtime_error("the game did not reach its final screen");
    }
}

} // namespace

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    QApplication application(argc, argv);
    // As app/main.cpp sets it, so the window draws as in the program.
    QPixmapCache::setCacheLimit(0);
    // An empty working folder: every cue the game asks for is missing.
    const QTemporaryDir folder;
    try {
        if (!QDir::setCurrent(folder.path())) {
            throw std::runtime_error("cannot make an empty working folder");
        }
        SdlCuePlayer cues(WaitProcessingEvents);
        cues.Prepare();
        TimeMissingCue(cues);
        for (int game = 0; game < games; ++game) {
            PlayGame(cues, static_cast<unsigned>(game));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "click_timing_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
