// Times case clicks inside the process (figures 5 and 6 of bench/README.md),
// on whatever display Qt is given, in an empty folder: every cue is missing.
//
//     click_timing_bench [games, default 20]
#include "event_waiter.h"
#include "figures.h"
#include "game_rig.h"
#include "sdl_cue_player.h"
#include "window_layout.h"
#include "window_rig.h"

#include <QApplication>
#include <QPixmapCache>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace marvesto;
using namespace marvesto::testing;
using Clock = std::chrono::steady_clock;
using Microseconds = std::chrono::duration<double, std::micro>;
using namespace std::chrono_literals;

constexpr int kFirstClickRounds = 2000;
constexpr int kCases = 26;
// Lets the window settle between clicks, so each click starts from an idle
// event loop as a player's does.
constexpr int kPauseMilliseconds = 5;
constexpr auto kPaintPatience = 1s;

class NoCues : public CuePlayer {
public:
    void Prepare() override {}
    void PlayCue(const std::string& /*fileName*/) override {}
};

// The first click of a fresh game: the one that asks for the intro cue.
double TimeFirstClick(CuePlayer& cues) {
    GameRig rig({.cues = &cues});
    rig.Start();
    rig.random.Add(ValueForPrize(1));
    const auto start = Clock::now();
    rig.game.CommandClick(1);
    return Microseconds(Clock::now() - start).count();
}

void TimeMissingCue(CuePlayer& player) {
    NoCues silence;
    std::vector<double> missing;
    std::vector<double> none;
    std::vector<double> added;
    for (int round = 0; round < kFirstClickRounds; ++round) {
        const bool missingFirst = round % 2 == 0;
        const double first =
            TimeFirstClick(missingFirst ? player : static_cast<CuePlayer&>(silence));
        const double second =
            TimeFirstClick(missingFirst ? static_cast<CuePlayer&>(silence) : player);
        missing.push_back(missingFirst ? first : second);
        none.push_back(missingFirst ? second : first);
        added.push_back(missing.back() - none.back());
    }
    PrintFigure("first-click-missing-cue", missing, "us");
    PrintFigure("first-click-no-cue-player", none, "us");
    PrintFigure("missing-cue-added", added, "us");
}

// Counts the paint events of one window's widgets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(const QWidget& window) : window_(window) {
        qApp->installEventFilter(this);
    }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;

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

// What Qt alone spends on such a click: a window of 26 push buttons at the
// case buttons' places, each hiding itself when clicked.
class BareButtons : public QWidget {
public:
    BareButtons() {
        setFixedSize(ToPixels(MainWindowLayout().clientArea).size());
        for (const CaseButtonLayout& layout : CaseButtonLayouts()) {
            auto* button = new QPushButton(layout.caption, this);
            button->setGeometry(ToPixels(layout.place));
            connect(button, &QPushButton::clicked, button, &QWidget::hide);
        }
    }
};

void Show(QWidget& window, QPoint at) {
    window.move(at);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        throw std::runtime_error("a window was never exposed");
    }
}

// Click times by figure name.
using ClickTimes = std::map<std::string, std::vector<double>>;

std::string KindOfClick(int click) {
    if (click == 1) {
        return "case-click-first";
    }
    if (click == kCases) {
        return "case-click-last";
    }
    return IsOfferPickCount(click + 1) ? "case-click-offer" : "case-click-plain";
}

void PlayGame(CuePlayer& cues, unsigned seed, ClickTimes& times) {
    std::mt19937 shuffler(seed);
    std::vector<int> order(kCases);
    std::iota(order.begin(), order.end(), 1);
    std::vector<int> prizes = order;
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
    wired.rig.random.AddPrizes(prizes, factors);
    wired.Start();
    BareButtons bare;
    Show(bare, QPoint(wired.window.width() + 10, 0));

    std::vector<QPoint> places(kCases + 1);
    for (const CaseButtonLayout& layout : CaseButtonLayouts()) {
        places[static_cast<std::size_t>(layout.number)] = ToPixels(layout.place).center();
    }
    for (int click = 1; click <= kCases; ++click) {
        const QPoint place = places[static_cast<std::size_t>(order[click - 1])];
        const bool gameFirst = click % 2 == 1;
        QTest::qWait(kPauseMilliseconds);
        const double first =
            TimeClick(gameFirst ? static_cast<QWidget&>(wired.window) : bare, place);
        QTest::qWait(kPauseMilliseconds);
        const double second =
            TimeClick(gameFirst ? bare : static_cast<QWidget&>(wired.window), place);
        const double game = gameFirst ? first : second;
        times["case-click"].push_back(game);
        times[KindOfClick(click)].push_back(game);
        times["bare-button-click"].push_back(gameFirst ? second : first);
    }
    if (wired.exit.Ended() || !wired.window.IsShown(Control::Label(33))) {
        throw std::runtime_error("the game did not reach its final screen");
    }
}

void TimeCaseClicks(CuePlayer& cues, int games) {
    ClickTimes times;
    for (int game = 0; game < games; ++game) {
        PlayGame(cues, static_cast<unsigned>(game), times);
    }
    for (const auto& [name, values] : times) {
        PrintFigure(name, values, "us");
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
    std::string folder = "/tmp/click_timing_XXXXXX";
    if (mkdtemp(folder.data()) == nullptr || chdir(folder.c_str()) != 0) {
        std::perror("click_timing_bench: cannot make an empty working folder");
        return 1;
    }
    int status = 0;
    try {
        SdlCuePlayer cues(WaitProcessingEvents);
        cues.Prepare();
        TimeMissingCue(cues);
        TimeCaseClicks(cues, games);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "click_timing_bench: %s\n", error.what());
        status = 1;
    }
    std::filesystem::remove_all(folder);
    return status;
}
