#include "readable_text.h"

#include <algorithm>
#include <cmath>

namespace marvesto {

namespace {

constexpr double kLeastContrast = 4.5;

// WCAG's relative luminance of an sRGB colour.
double Luminance(Rgb colour) {
    const auto linear = [](std::uint8_t value) {
        const double channel = value / 255.0;
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

double ContrastRatio(Rgb first, Rgb second) {
    // The initializer list makes std::minmax return values, not references to
    // the temporaries.
    const auto [darker, lighter] = std::minmax({Luminance(first), Luminance(second)});
    return (lighter + 0.05) / (darker + 0.05);
}

} // namespace

Rgb ReadableButtonText(Rgb buttonText, Rgb background) {
    return ContrastRatio(buttonText, background) >= kLeastContrast ? buttonText : Rgb{0, 0, 0};
}

} // namespace marvesto
