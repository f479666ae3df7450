// The one-line text of the high-score file: what a save writes and how the
// number is found again when the file is read.
#pragma once

#include "currency.h"

#include <optional>
#include <string>
#include <string_view>

namespace marvesto {

// The amount's number text and CR LF, for example " 16356\r\n" or " .5\r\n".
std::string HighScoreLine(Currency amount);

// The first number in the text, after an optional byte-order mark and any
// blanks, tabs and line ends; whatever follows it is ignored. Text that starts
// with a UTF-16 byte-order mark (either byte order) is read as UTF-16. The
// number is the longest prefix of the form [+-]digits[.digits][E[+-]digits]
// with at least one digit before or after the point, as from_chars reads it.
// Empty or blank text, as in a file just made to hold the score, gives 0;
// other text without such a number, and a number that single precision cannot
// hold, give none.
std::optional<float> HighScoreFromText(std::string_view text);

} // namespace marvesto
