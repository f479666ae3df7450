// Catches everything written to standard error while it lives, at the level
// of the file descriptor, so that SDL's and the audio libraries' own output is
// caught as well as the program's.
#pragma once

#include "files.h"

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace marvesto::testing {

class StderrCapture {
public:
    StderrCapture() : caught_(std::tmpfile()), original_(dup(STDERR_FILENO)) {
        std::fflush(stderr);
        dup2(fileno(caught_), STDERR_FILENO);
    }
    ~StderrCapture() {
        Finish();
        std::fclose(caught_);
    }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Gives standard error back and returns the lines written to it.
    std::vector<std::string> Finish() {
        if (original_ < 0) {
            return {};
        }
        std::fflush(stderr);
        dup2(original_, STDERR_FILENO);
        close(original_);
        original_ = -1;
        std::rewind(caught_);
        return ReadLines(caught_);
    }

private:
    std::FILE* caught_;
    int original_;
};

} // namespace marvesto::testing
