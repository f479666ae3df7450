// The game window as a test expects the real program to show it, drawn by a
// window of the test's own. Both draw the same layout with the typeface built
// into the program, so a screenshot agrees with it wherever the two windows
// are in the same state; that is how a test reads a caption off the screen.
#pragma once

#include "board_view.h"
#include "control.h"
#include "marvesto_window.h"

#include <QImage>
#include <QRect>

#include <string>

namespace marvesto::testing {

class ExpectedWindow {
public:
    // The window in its state at start.
    ExpectedWindow() = default;

    // Shows, hides and captions controls to put the window into the state
    // the screen is expected to be in.
    BoardView& Board() { return window_; }

    // Whether the screenshot looks like this window, as a whole or within
    // one control's place.
    bool Matches(const QImage& screen);
    bool Matches(const QImage& screen, Control control);
    // Whether the label on screen shows the caption, given that the controls
    // lying over it are as in this window; leaves the caption set.
    bool ShowsCaption(const QImage& screen, Control label, const std::string& caption);

private:
    bool Matches(const QImage& screen, const QRect& area);

    MarvestoWindow window_;
};

} // namespace marvesto::testing
