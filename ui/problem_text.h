// What the player is told of a problem, in every front end: a line on
// standard error and the text of a message box.
#pragma once

#include <string>
#include <string_view>

namespace marvesto {

// The title of every message box.
constexpr std::string_view kProblemTitle = "Marvesto?";

// Writes the error to standard error and gives the message box's text; the
// program ends after the box.
std::string RunTimeErrorText(const std::string& message);

// The high score could not be read or kept; the game goes on. A deal saves
// twice in a row, and the same failure is told to the player once: true when
// the message is to be shown, which also writes it to standard error.
class StoreFailureFilter {
public:
    bool IsNew(const std::string& message);

private:
    std::string lastTold_;
};

} // namespace marvesto
