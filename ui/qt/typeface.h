// The one typeface of the window, and fonts in it sized as on a 96 dpi screen.
#pragma once

#include "font_spec.h"

#include <QFont>
#include <QString>

namespace marvesto {

// "Orbit-B BT" where it is installed. Elsewhere DejaVu Sans, the system's
// where it has all three styles, else the files the game carries, so that the
// window looks the same on every machine; its widths keep every caption on one
// line inside its label.
QString GameTypeface();

// Sizes are fixed in pixels (points at 96 dpi) like every position in the
// window, so text and layout scale together on any screen.
QFont GameFont(const FontSpec& spec);

} // namespace marvesto
