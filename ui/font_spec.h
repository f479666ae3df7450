// A font of the window by size and style; each front end names the typeface.
#pragma once

#include <cmath>

namespace marvesto {

struct FontSpec {
    double points;
    bool bold;
    bool italic;
};

// The font's em height in pixels on a screen of this resolution; a point is
// 1/72 inch.
inline int FontPixels(const FontSpec& spec, int dotsPerInch) {
    return static_cast<int>(std::lround(spec.points * dotsPerInch / 72.0));
}

} // namespace marvesto
