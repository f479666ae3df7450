#include "program_exit.h"

#include <utility>

namespace marvesto {

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;

} // namespace

ProgramExit::ProgramExit(Exit exit) : exit_(std::move(exit)) {}

void ProgramExit::QuitProgram() {
    End(kSuccess);
}

void ProgramExit::Fail() {
    End(kFailure);
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
