// What tells a desktop which program the window belongs to: the name of its
// menu entry and its icon.
#pragma once

#include <QWidget>

namespace marvesto {

// The window's Wayland app id and its X11 class (Qt takes them from the
// desktop file name and the application name) are the menu entry's name, so
// that a dock matches the running game to it and shows the entry's icon from
// the installed icon theme. The window's own icon, which window managers show
// and which Qt draws in the frame it draws itself, is the game's, compiled
// into the program; it is handed over once the first frame is on screen, as
// reading it and passing every size to the window system would hold the
// frame up by milliseconds. Call before the window is shown.
void TakeDesktopIdentity(QWidget& window);

} // namespace marvesto
