// The real program started in a working folder on a test's own display,
// played from outside as a player plays it: the mouse and the keyboard on its
// window, screenshots of what it shows.
#pragma once

#include "control.h"
#include "display.h"

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

namespace marvesto::testing {

// The game as built beside the tests.
QString GameProgram();

// A folder of its own for one player, as the launcher leaves it: the game
// keeps its high score there and finds its cues there.
class PlayerFolder {
public:
    PlayerFolder();
    QString Path() const { return folder_.path(); }
    std::filesystem::path File(const char* name) const;

private:
    QTemporaryDir folder_;
};

class ProgramOnDisplay {
public:
    struct Start {
        QString folder;
        QStringList arguments = {};
        // Set in the program's environment on top of the display's; a null
        // value removes the variable.
        std::vector<std::pair<QString, QString>> variables = {};
        QString program = GameProgram();
    };

    // Starts the program and waits for its window; when it is the game, also
    // until the start screen is painted.
    ProgramOnDisplay(const TestDisplay& display, const Start& start);
    // Kills the program if it is still running.
    ~ProgramOnDisplay();
    ProgramOnDisplay(const ProgramOnDisplay&) = delete;
    ProgramOnDisplay& operator=(const ProgramOnDisplay&) = delete;

    // Empty once the window is up; otherwise what went wrong.
    const QString& Failure() const { return failure_; }
    std::uint32_t Window() const { return window_; }
    qint64 ProcessId() const { return process_.processId(); }

    // A left click, as the player's mouse makes it: at the centre of the
    // control's place, or at a place in the window.
    bool Click(Control control) const;
    bool ClickAt(QPoint place) const;
    // A key pressed and released, named as xdotool names keys ("space",
    // "Tab", "shift+Tab", "d", "Return").
    bool Key(const QString& key) const;
    // Clicks cases 1, 2, .. up to `last`, waiting after each until it is
    // gone; false if one stays.
    bool OpenCases(int last) const;
    QImage Screen() const;
    // Screenshots until one satisfies the condition; the last one otherwise.
    QImage ScreenUntil(const std::function<bool(const QImage&)>& condition) const;
    // As the window system's close control.
    bool RequestClose() const;

    bool Running() const { return process_.state() != QProcess::NotRunning; }
    // Waits for the program to end by itself; false if it has not ended in time.
    bool WaitForEnd();
    // The status the program ended with; -1 if it crashed.
    int ExitStatus() const;

private:
    const TestDisplay& display_;
    QProcess process_;
    std::uint32_t window_ = 0;
    QString failure_;
};

} // namespace marvesto::testing
