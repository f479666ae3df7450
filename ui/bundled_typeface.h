// The typeface the game carries in assets/fonts (its licence is in
// packaging/copyright), for a machine that lacks the layout's own.
#pragma once

#include <array>
#include <string_view>

namespace marvesto {

constexpr std::string_view kBundledTypeface = "DejaVu Sans";
// The styles the window uses, bold, italic and bold italic, one file each.
constexpr std::array<std::string_view, 3> kBundledTypefaceFiles{
    "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf", "DejaVuSans-BoldOblique.ttf"};

} // namespace marvesto
