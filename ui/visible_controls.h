// Which of the window's controls are shown, as the game driver asks it.
#pragma once

#include "control.h"

namespace marvesto {

class VisibleControls {
public:
    virtual ~VisibleControls() = default;
    virtual bool IsShown(Control control) const = 0;
};

} // namespace marvesto
