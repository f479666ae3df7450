// The only way the game logic touches the window.
#pragma once

#include "control.h"

#include <string>

namespace marvesto {

class BoardView {
public:
    virtual ~BoardView() = default;
    // Showing a shown control or hiding a hidden one changes nothing.
    virtual void Show(Control label) = 0;
    virtual void Hide(Control control) = 0;
    // Replaces the label's text character for character, blanks included.
    virtual void SetCaption(Control label, const std::string& text) = 0;
};

} // namespace marvesto
