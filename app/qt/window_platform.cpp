#include "window_platform.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace marvesto {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string Lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// GNOME names itself in either variable, alone ("GNOME") or after the name
// of a distribution's variant ("ubuntu:GNOME").
bool OnGnome() {
    return Lowercase(Variable("XDG_CURRENT_DESKTOP") + ":" + Variable("XDG_SESSION_DESKTOP"))
               .find("gnome") != std::string::npos;
}

bool WaylandSession() {
    return !Variable("WAYLAND_DISPLAY").empty() || Variable("XDG_SESSION_TYPE") == "wayland";
}

} // namespace

void ChooseWindowPlatform() {
    if (Variable("QT_QPA_PLATFORM").empty() && !Variable("DISPLAY").empty() && WaylandSession() &&
        OnGnome()) {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
}

} // namespace marvesto
