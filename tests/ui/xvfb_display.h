// An X server of a test's own: Xvfb on a free display number, with the X tools
// a player's actions are simulated with (xdotool, xwininfo, xprop, import).
// It is stopped when the object goes, and also if the test process dies.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>

struct xcb_connection_t;

namespace marvesto::testing {

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
                const QProcessEnvironment& environment, std::chrono::milliseconds limit);

class XvfbDisplay {
public:
    explicit XvfbDisplay(QSize screen = QSize(1024, 768));
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    bool Running() const { return !name_.isEmpty(); }
    // Why the server did not start.
    const QString& Failure() const { return failure_; }
    // ":3", say.
    const QString& Name() const { return name_; }

    // The test's environment pointed at this display, with Qt on X and SDL's
    // silent audio driver, so no sound server is needed.
    QProcessEnvironment Environment() const;

    // Runs a tool on this display and waits for it.
    ToolRun Run(const QString& program, const QStringList& arguments) const;
    // The first visible top-level window with exactly this title, 0 if none
    // appears in time.
    std::uint32_t WaitForWindow(const QString& title, std::chrono::milliseconds timeout) const;
    // The window's contents as on screen; a null image on failure.
    QImage Screenshot(std::uint32_t window) const;
    // Asks the window to close as a window manager's close button does, with
    // a WM_DELETE_WINDOW message (bare Xvfb has no window manager).
    bool RequestClose(std::uint32_t window) const;

private:
    std::uint32_t FindWindow(const QByteArray& title) const;

    QProcess server_;
    QString name_;
    QString failure_;
    // The helper's own connection. A fresh client for every look at the
    // screen would pile up connections, and Xvfb then now and then refuses
    // the program under test its own.
    xcb_connection_t* connection_ = nullptr;
};

} // namespace marvesto::testing
