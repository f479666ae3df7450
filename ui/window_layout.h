// Where every control of the window stands and how it looks, for every front
// end. Positions and sizes are in twips, 1/1440 inch; 15 twips make one pixel
// at 96 dpi.
#pragma once

#include "font_spec.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace marvesto {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct PixelRect {
    int left;
    int top;
    int width;
    int height;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The resolution at which the layout's twips make whole pixels.
constexpr int kLayoutDotsPerInch = 96;

// Each value converted on its own, halves rounded up: 7575 twips make 505
// pixels at 96 dpi and 758 at 144.
PixelRect ToPixels(const TwipRect& twips, int dotsPerInch = kLayoutDotsPerInch);

struct WindowLayout {
    std::string name;
    std::string title;
    TwipRect clientArea;
    Rgb background;
    // Also the font of every label that names none of its own.
    FontSpec font;
};

struct CaseButtonLayout {
    int number;
    std::string caption;
    TwipRect place;
    FontSpec font;
};

struct LabelLayout {
    int number;
    std::string caption;
    TwipRect place;
    // Empty: the window's font.
    std::optional<FontSpec> font;
    // Empty: the platform's colour for the text of a push button, where it
    // reads on the background.
    std::optional<Rgb> text;
    Rgb background;
    bool shownAtStart;
};

WindowLayout MainWindowLayout();
// Command1 to Command26, in their keyboard focus order.
std::vector<CaseButtonLayout> CaseButtonLayouts();
// Label1 to Label34 and Label44, from the bottom of the stack to the top; the
// case buttons lie under them all.
std::vector<LabelLayout> LabelLayouts();

} // namespace marvesto
