// The window's typeface on Windows: DejaVu Sans, from the files shipped beside
// the program, loaded for this process alone; and fonts in it at a resolution.
#pragma once

#include "font_spec.h"

#include <windows.h>

namespace marvesto {

// Loads the three styles the window uses; a missing or broken file raises a
// run-time error, as the game cannot look as laid out without it.
void LoadBundledTypeface();

// A font the caller owns, sized for a screen of this resolution.
HFONT CreateGameFont(const FontSpec& spec, int dotsPerInch);

} // namespace marvesto
