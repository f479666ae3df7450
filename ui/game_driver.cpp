#include "game_driver.h"

#include <exception>
#include <utility>

namespace marvesto {

GameDriver::GameDriver(const VisibleControls& window, Game& game, ProgramExit& exit,
                       ErrorReport report)
    : window_(window), game_(game), exit_(exit), report_(std::move(report)) {}

void GameDriver::Form_Load() {
    RunGuarded([this] { game_.Form_Load(); });
}

void GameDriver::CaseClicked(int k) {
    Deliver({Control::Command(k), [this, k] { game_.CommandClick(k); }});
}

void GameDriver::DealClicked() {
    Deliver({Control::Label(StatusLabel::kDeal), [this] { game_.Label28_Click(); }});
}

void GameDriver::EndClicked() {
    Deliver({Control::Label(StatusLabel::kEnd), [this] { game_.Label33_Click(); }});
}

void GameDriver::CloseRequested() {
    exit_.QuitProgram();
}

void GameDriver::Deliver(PendingCall pending) {
    // A control acts only if it is shown when the click, key or press is made
    // and still shown when its call runs. A mouse click cannot reach a hidden
    // control; a key or a screen reader's press can.
    if (exit_.Ended() || !window_.IsShown(pending.source)) {
        return;
    }
    pending_.push_back(std::move(pending));
    if (running_) {
        return;
    }
    running_ = true;
    while (!pending_.empty() && !exit_.Ended()) {
        const PendingCall next = std::move(pending_.front());
        pending_.pop_front();
        // A second click on DEAL during the deal cue must not deal twice.
        if (!window_.IsShown(next.source)) {
            continue;
        }
        RunGuarded(next.call);
    }
    pending_.clear();
    running_ = false;
}

void GameDriver::RunGuarded(const std::function<void()>& call) {
    std::string failure;
    try {
        call();
        return;
    } catch (const ProgramClosed&) {
        return;
    } catch (const std::exception& error) {
        failure = error.what();
    } catch (...) {
        failure = "an error of unknown kind";
    }
    // Reported before the end, so that the report's own message loop still runs.
    report_(failure);
    exit_.Fail();
}

} // namespace marvesto
