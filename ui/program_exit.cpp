#include "program_exit.h"

#include <utility>

namespace marvesto {

ProgramExit::ProgramExit(Exit exit) : exit_(std::move(exit)) {}

void ProgramExit::QuitProgram() {
    End(0);
}

void ProgramExit::Fail() {
    End(1);
}

void ProgramExit::End(int status) {
    if (ended_) {
        return;
    }
    ended_ = true;
    status_ = status;
    exit_(status);
}

} // namespace marvesto
