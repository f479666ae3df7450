// Gives the player one plain line instead of Qt's abort when the program
// cannot open a window: no display named, or none that answers.
#pragma once

namespace marvesto {

// While it lives, what Qt and the libraries it loads write to standard error
// is held back; should Qt fail to find a display, the program says why in one
// line and ends with status 1. Once the toolkit has started, the output held
// back goes out as usual.
class DisplayCheck {
public:
    DisplayCheck();
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;
};

} // namespace marvesto
