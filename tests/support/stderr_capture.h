// Catches everything written to standard error while it lives, at the level
// of the file descriptor, so that SDL's and the audio libraries' own output is
// caught as well as the program's.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace marvesto::testing {

class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Gives standard error back and returns the lines written to it.
    std::vector<std::string> Finish();

private:
    std::FILE* caught_;
    int original_ = -1;
};

} // namespace marvesto::testing
