// An X server of a test's own, as a player's desktop: Xvfb on a free display
// number, a D-Bus session bus, and, when asked for, the accessibility bus a
// screen reader turns on. The X tools act as the player (xdotool) and look at
// the screen (import). Everything it starts ends with it, and also if the test
// process dies.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <cstdint>

struct xcb_connection_t;

namespace marvesto::testing {

// How long anything a player would wait for may take: generous, so that a
// loaded machine slows a test down without failing it.
inline constexpr std::chrono::milliseconds kPatience{30000};

struct ToolRun {
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;

    bool Succeeded() const { return finished && exitCode == 0; }
};

// Makes the process end when the test process ends, however that happens.
void EndWithTestProcess(QProcess& process);

// Runs a tool to its end, or kills it once the time is up.
ToolRun RunTool(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                std::chrono::milliseconds limit = kPatience);

class TestDisplay {
public:
    struct Options {
        QSize screen{1024, 768};
        // Starts the accessibility bus and turns accessibility on, as a
        // screen reader does.
        bool accessibility = false;
    };

    explicit TestDisplay(Options options);
    TestDisplay() : TestDisplay(Options{}) {}
    ~TestDisplay();
    TestDisplay(const TestDisplay&) = delete;
    TestDisplay& operator=(const TestDisplay&) = delete;

    // Empty once the display is up; otherwise what went wrong.
    const QString& Failure() const { return failure_; }

    // The test's environment pointed at this display and bus, with Qt on X
    // and SDL's silent audio driver, so no sound server is needed.
    QProcessEnvironment Environment() const;

    // Runs a tool on this display and waits for it.
    ToolRun Run(const QString& program, const QStringList& arguments) const;
    // The first visible top-level window with exactly this title, 0 if none
    // appears in time.
    std::uint32_t WaitForWindow(const QString& title) const;
    // The window's contents as on screen; a null image on failure.
    QImage Screenshot(std::uint32_t window) const;
    // Asks the window to close as a window manager's close button does, with
    // a WM_DELETE_WINDOW message (bare Xvfb has no window manager).
    bool RequestClose(std::uint32_t window) const;

private:
    void StartServer(QSize screen);
    void StartSessionBus(bool accessibility);
    std::uint32_t FindWindow(const QByteArray& title) const;

    // The session's own runtime folder: the accessibility bus keeps its
    // socket there, which would clash between displays in a shared one.
    QTemporaryDir runtime_;
    QProcess server_;
    QProcess bus_;
    QString name_;
    QString busAddress_;
    QString failure_;
    // The helper's own connection. A fresh client for every look at the
    // screen would pile up connections, and Xvfb then now and then refuses
    // the program under test its own.
    xcb_connection_t* connection_ = nullptr;
};

} // namespace marvesto::testing
