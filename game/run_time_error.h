// The one error the game raises: a failed overflow or bounds check, or a broken
// invariant. Nothing inside the game catches it; the program reports it and ends.
#pragma once

#include <stdexcept>
#include <string>

namespace marvesto {

class RunTimeError : public std::runtime_error {
public:
    explicit RunTimeError(const std::string& description) : std::runtime_error(description) {}
};

} // namespace marvesto
