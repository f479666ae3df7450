// What tells a desktop which program the window belongs to: the name of its
// menu entry and its icon.
#pragma once

namespace marvesto {

// The window's Wayland app id and its X11 class (Qt takes them from the
// desktop file name and the application name) are the menu entry's name, so
// that a dock matches the running game to it. The icon
// comes from the installed icon theme, and from the copy built into the
// program when it runs from its build folder. Call once the application
// exists and before the window is created.
void TakeDesktopIdentity();

} // namespace marvesto
