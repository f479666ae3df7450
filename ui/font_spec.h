// A font of the window by size and style; each front end names the typeface.
#pragma once

namespace marvesto {

struct FontSpec {
    double points;
    bool bold;
    bool italic;
};

// The font's em height in pixels on a screen of this resolution; a point is
// 1/72 inch. Rounded here rather than by the maths library, whose first call
// would map about a tenth of a megabyte of it into the Qt program.
inline int FontPixels(const FontSpec& spec, int dotsPerInch) {
    return static_cast<int>(spec.points * dotsPerInch / 72.0 + 0.5);
}

} // namespace marvesto
