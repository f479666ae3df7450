// The one-line text of the high-score file: what a save writes and how the
// number is found again when the file is read.
#pragma once

#include "currency.h"

#include <string>
#include <string_view>

namespace marvesto {

// The amount's number text and CR LF, for example " 16356\r\n" or " .5\r\n".
std::string HighScoreLine(Currency amount);

// The first number in the text, after an optional UTF-8 byte-order mark and
// any blanks, tabs and line ends; whatever follows it is ignored. The number
// is the longest prefix of the form [+-]digits[.digits][E[+-]digits] with at
// least one digit before or after the point. Text without such a number, and
// a number that single precision cannot hold, give 0.
float HighScoreFromText(std::string_view text);

} // namespace marvesto
