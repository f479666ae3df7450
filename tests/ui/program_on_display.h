// The real program started in a working folder on a test's own X server, with
// the player's mouse on its window and screenshots of what it shows.
#pragma once

#include "xvfb_display.h"

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>

namespace marvesto::testing {

// How long the program gets for anything a player would wait for: generous,
// so that a loaded machine slows the test down without failing it.
inline constexpr std::chrono::milliseconds kPatience{20000};

class ProgramOnDisplay {
public:
    // Starts the program and waits for its window.
    ProgramOnDisplay(const XvfbDisplay& display, const QString& program, const QString& folder);
    // Kills the program if it is still running.
    ~ProgramOnDisplay();
    ProgramOnDisplay(const ProgramOnDisplay&) = delete;
    ProgramOnDisplay& operator=(const ProgramOnDisplay&) = delete;

    // Empty once the window is up; otherwise what went wrong.
    const QString& Failure() const { return failure_; }

    // A left click at a place in the window, as the player's mouse makes it.
    bool Click(QPoint place) const;
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
    const XvfbDisplay& display_;
    QProcess process_;
    std::uint32_t window_ = 0;
    QString failure_;
};

} // namespace marvesto::testing
