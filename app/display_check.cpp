#include "display_check.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace marvesto {

namespace {

std::string_view Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

// The first platform Qt will try: QT_QPA_PLATFORM may list several, separated
// by ';', each followed by options after ':'.
std::string_view RequestedPlatform() {
    std::string_view platform = Environment("QT_QPA_PLATFORM");
    platform = platform.substr(0, platform.find(';'));
    return platform.substr(0, platform.find(':'));
}

std::optional<std::string> X11Problem() {
    const std::string_view display = Environment("DISPLAY");
    if (display.empty()) {
        return "Marvesto needs a graphical display, but DISPLAY is not set.";
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reachable) {
        return "Marvesto cannot open the display \"" + std::string(display) + "\".";
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> MissingDisplayReason() {
    const std::string_view platform = RequestedPlatform();
    // Qt starts on X when no platform is named. The other platforms (offscreen,
    // vnc, wayland, ...) are left to Qt.
    if (platform.empty() || platform == "xcb") {
        return X11Problem();
    }
    return std::nullopt;
}

} // namespace marvesto
