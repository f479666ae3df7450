// Turns the window's events into calls into the game, one call at a time, for
// every front end. A sound cue keeps the window's events flowing inside a
// game call, so clicks, keys and close requests arrive then too. Each click
// acts on the control that was shown where it was made; its call waits, in
// order, until the running call has returned, and is dropped if its control
// has been hidden meanwhile. The game never runs twice at once. A close
// request ends the program at once, cutting short the call that waits for a
// cue. An error escaping the game is reported here and ends the program;
// neither crosses the toolkit's event loop.
#pragma once

#include "control.h"
#include "game.h"
#include "program_exit.h"
#include "visible_controls.h"

#include <deque>
#include <functional>
#include <string>

namespace marvesto {

class GameDriver {
public:
    // Tells the player what went wrong.
    using ErrorReport = std::function<void(const std::string& message)>;

    GameDriver(const VisibleControls& window, Game& game, ProgramExit& exit, ErrorReport report);

    // Runs the game's start-up; if it fails, the program has ended afterwards.
    void Form_Load();

    // A click, key or press on case button k, on DEAL or on the end label.
    void CaseClicked(int k);
    void DealClicked();
    void EndClicked();
    // The window system's close control; also during a cue, whose waiting
    // call then ends with ProgramClosed.
    void CloseRequested();

private:
    struct PendingCall {
        Control source;
        std::function<void()> call;
    };

    void Deliver(PendingCall pending);
    void RunGuarded(const std::function<void()>& call);

    const VisibleControls& window_;
    Game& game_;
    ProgramExit& exit_;
    ErrorReport report_;
    bool running_ = false;
    std::deque<PendingCall> pending_;
};

} // namespace marvesto
