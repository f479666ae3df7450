// The real window wired to the game as the program wires it, with recording
// fakes for the sound, the store, the random source and the program's end.
// Board operations, cues, saves, error reports and the end all go to one log.
#pragma once

#include "game.h"
#include "game_driver.h"
#include "marvesto_window.h"
#include "program_exit.h"
#include "recording_fakes.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstddef>
#include <string>
#include <vector>

namespace marvesto::testing {

// Passes every board operation on to the window and logs it as RecordingBoard does.
class LoggingBoard : public BoardView {
public:
    LoggingBoard(BoardView& window, CallLog& log) : window_(window), log_(log) {}

    void Show(Control label) override;
    void Hide(Control control) override;
    void SetCaption(Control label, const std::string& text) override;

private:
    BoardView& window_;
    CallLog& log_;
};

struct WiredGame {
    WiredGame() = default;
    WiredGame(const WiredGame&) = delete;
    WiredGame& operator=(const WiredGame&) = delete;

    // As the program starts: the start-up runs while the window is hidden,
    // then the window is shown with the focus on Command1.
    void Start();
    // Scripts the random values so that the coming clicks draw these prizes in
    // this order; each click that brings an offer also draws the next factor
    // (1 when they run out).
    void ScriptPrizes(const std::vector<int>& prizes, const std::vector<int>& factors = {});

    // The control of this name; a missing one is a test bug and throws.
    QWidget* Widget(const QString& name) const;
    QString Caption(const QString& label) const;
    // Names of the controls shown, sorted.
    QStringList ShownControls() const;
    // Where the player clicks: at the control's centre, reaching whatever is
    // shown on top at that place.
    void Click(const QString& name);
    void ClickAt(QPoint position);
    // The log entries from position `from` on.
    CallLog LogFrom(std::size_t from) const;

    CallLog log;
    MarvestoWindow window;
    LoggingBoard board{window, log};
    RecordingCues cues{log};
    FakeStore store{log};
    ScriptedRandom random{log};
    ProgramExit exit{[this](int status) { log.push_back("exit " + std::to_string(status)); }};
    Game game{GameServices{board, cues, store, random, exit}};
    GameDriver driver{window, game, exit,
                      [this](const std::string& message) { log.push_back("report " + message); }};
};

} // namespace marvesto::testing
