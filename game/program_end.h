// Ends the program at once.
#pragma once

namespace marvesto {

class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void QuitProgram() = 0;
};

} // namespace marvesto
