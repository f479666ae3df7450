// The text colour of a label drawn on a fixed ground: the platform's colour
// for the text of a push button where it can be read there.
#pragma once

#include "window_layout.h"

namespace marvesto {

// A dark desktop palette gives light button text, which vanishes on the
// window's fixed yellow and green. Below the contrast that WCAG's level AA
// asks of text (4.5:1), the label takes the default scheme's black instead.
Rgb ReadableButtonText(Rgb buttonText, Rgb background);

} // namespace marvesto
