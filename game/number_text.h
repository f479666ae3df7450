// The one rule by which every number is turned into text, on screen and in the
// high-score file: a blank before a non-negative number, a minus sign before a
// negative one, then the shortest decimal form without trailing zeros and
// without a zero before the point (15000 -> " 15000", 0.5 -> " .5").
#pragma once

#include "currency.h"

#include <cstdint>
#include <string>

namespace marvesto {

// Exact, up to the four decimal places a currency value holds.
std::string NumberText(Currency amount);

std::string NumberText(std::int64_t whole);

// At most seven significant digits; values that need more than seven digits
// before the point, or that are smaller than 0.0001, take the exponent form
// 1.234568E+07.
std::string NumberText(float value);

} // namespace marvesto
