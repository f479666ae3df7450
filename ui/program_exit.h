// Ends the program: through the end label, through the window system's close
// control, or after a run-time error has been reported. The first end counts.
#pragma once

#include "program_end.h"

#include <functional>

namespace marvesto {

// Thrown out of a wait for a cue once the program has been told to end, as by
// the close control during a cue: it unwinds the game call that was waiting,
// so that no later step of it runs, and releases the cue and its device on
// the way. The game driver takes it for the normal end it is. Not a
// std::exception, so that nothing meant for errors catches it.
struct ProgramClosed {};

class ProgramExit : public ProgramEnd {
public:
    // Leaves the program's event loop with the given status.
    using Exit = std::function<void(int status)>;

    explicit ProgramExit(Exit exit);

    void QuitProgram() override;
    void Fail();

    bool Ended() const { return ended_; }
    // 0 after QuitProgram, 1 after Fail.
    int Status() const { return status_; }

private:
    void End(int status);

    Exit exit_;
    bool ended_ = false;
    int status_ = 0;
};

} // namespace marvesto
