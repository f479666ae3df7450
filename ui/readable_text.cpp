#include "readable_text.h"

#include <algorithm>
#include <cmath>

namespace marvesto {

namespace {

constexpr double kLeastContrast = 4.5;

// WCAG's relative luminance of an sRGB colour.
double Luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double ContrastRatio(const QColor& first, const QColor& second) {
    // The initializer list makes std::minmax return values, not references to
    // the temporaries.
    const auto [darker, lighter] = std::minmax({Luminance(first), Luminance(second)});
    return (lighter + 0.05) / (darker + 0.05);
}

} // namespace

QColor ReadableButtonText(const QColor& buttonText, const QColor& background) {
    return ContrastRatio(buttonText, background) >= kLeastContrast ? buttonText : QColor(Qt::black);
}

} // namespace marvesto
