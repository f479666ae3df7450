// How assistive technology sees the game's window itself: a frame named by
// its title, as a screen reader expects an application's main window to be.
#pragma once

namespace marvesto {

// Safe to call more than once.
void InstallWindowAccessibility();

} // namespace marvesto
