#include "stderr_capture.h"

#include <unistd.h>

#include <cstring>

namespace marvesto::testing {

StderrCapture::StderrCapture() : caught_(std::tmpfile()) {
    std::fflush(stderr);
    original_ = dup(STDERR_FILENO);
    dup2(fileno(caught_), STDERR_FILENO);
}

StderrCapture::~StderrCapture() {
    Finish();
    std::fclose(caught_);
}

std::vector<std::string> StderrCapture::Finish() {
    std::vector<std::string> lines;
    if (original_ < 0) {
        return lines;
    }
    std::fflush(stderr);
    dup2(original_, STDERR_FILENO);
    close(original_);
    original_ = -1;

    std::rewind(caught_);
    for (char line[4096]; std::fgets(line, sizeof line, caught_) != nullptr;) {
        lines.emplace_back(line, std::strcspn(line, "\n"));
    }
    return lines;
}

} // namespace marvesto::testing
