// Stand-ins for the window, the sound, the store, the random source and the
// program end. Each writes its calls to the one call log.
#pragma once

#include "board_view.h"
#include "call_log.h"
#include "cue_player.h"
#include "high_score_store.h"
#include "number_text.h"
#include "program_end.h"
#include "random_source.h"
#include "visible_controls.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace marvesto::testing {

// Remembers what is shown and what each label reads, starting from the
// window's state at start-up; passes every operation on to a real window too,
// when it is given one.
class RecordingBoard : public BoardView, public VisibleControls {
public:
    RecordingBoard(CallLog& log, BoardView* window);

    void Show(Control label) override { SetShown(label, true); }
    void Hide(Control control) override { SetShown(control, false); }
    void SetCaption(Control label, const std::string& text) override;

    bool IsShown(Control control) const override { return shown_.at(control.Name()); }
    std::string Caption(Control label) const;
    // Names of the controls shown, sorted.
    Entries ShownControls() const;

private:
    void SetShown(Control control, bool shown);

    CallLog& log_;
    BoardView* window_;
    std::map<std::string, bool> shown_;
    std::map<std::string, std::string> captions_;
};

// Logs each cue and, when given a real player, plays it through that player
// and notes how long it blocked.
class RecordingCues : public CuePlayer {
public:
    using Clock = std::chrono::steady_clock;
    struct Played {
        std::string file;
        Clock::time_point start;
        Clock::time_point end;
    };

    RecordingCues(CallLog& log, CuePlayer* player) : log_(log), player_(player) {}

    void Prepare() override;
    void PlayCue(const std::string& fileName) override;

    // Runs while a cue "plays", to look at the game at that moment.
    std::function<void(const std::string&)> whilePlaying;
    std::vector<Played> played;

private:
    CallLog& log_;
    CuePlayer* player_;
};

class FakeStore : public HighScoreStore {
public:
    explicit FakeStore(CallLog& log) : log_(log) {}

    float Load() override {
        log_.Add("load high score");
        return stored;
    }
    void Save(Currency amount) override {
        log_.Add("save" + NumberText(amount));
        saves.push_back(amount);
    }

    float stored = 0.0F;
    std::vector<Currency> saves;

private:
    CallLog& log_;
};

// Hands out the values it was given, in order; running out is a test bug.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(CallLog& log) : log_(log) {}

    void Randomize() override { log_.Add("randomize"); }
    double NextUniform() override;

    void Add(double value) { values_.push_back(value); }
    // Adds the values that make the coming clicks, counted from the first click
    // of the game, draw these prizes in this order; each click that brings an
    // offer also draws the next of the offer factors (1 when they run out).
    void AddPrizes(const std::vector<int>& prizes, const std::vector<int>& factors = {});
    std::size_t Consumed() const { return consumed_; }

private:
    CallLog& log_;
    std::deque<double> values_;
    std::size_t consumed_ = 0;
    int scriptedClicks_ = 0;
    std::size_t factorsUsed_ = 0;
};

class RecordingEnd : public ProgramEnd {
public:
    explicit RecordingEnd(CallLog& log) : log_(log) {}

    void QuitProgram() override {
        log_.Add("quit");
        ++quits;
    }

    int quits = 0;

private:
    CallLog& log_;
};

// The pick counts (1 plus the clicks so far) after which an offer is made.
bool IsOfferPickCount(int pickCount);
// The uniform value in the middle of the range that draws prize p, 1..26.
double ValueForPrize(int prize);

} // namespace marvesto::testing
