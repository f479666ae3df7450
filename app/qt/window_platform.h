// Keeps the fixed window without a working maximise button on GNOME's Wayland
// session. Its compositor, mutter, draws no frame for Wayland windows, so Qt
// 6.4 draws one of its own there, whose maximise button ignores the fixed
// size. Through Xwayland mutter frames the window itself, offering no
// maximise: Qt 5 ran there on GNOME for that reason.
#pragma once

namespace marvesto {

// Asks Qt for its X11 platform in a GNOME Wayland session that runs Xwayland,
// unless the player has named a platform in QT_QPA_PLATFORM. Call before the
// application is created.
void ChooseWindowPlatform();

} // namespace marvesto
