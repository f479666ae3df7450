// Finds out, before Qt is started, whether there is a display to open the
// window on, so that the player gets one plain line instead of Qt's abort.
#pragma once

#include <optional>
#include <string>

namespace marvesto {

// Empty when the window can be shown; otherwise the reason, in one line.
std::optional<std::string> MissingDisplayReason();

} // namespace marvesto
