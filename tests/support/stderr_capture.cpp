#include "stderr_capture.h"

#include <unistd.h>

#include <sstream>

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

    std::string text;
    std::rewind(caught_);
    for (int c = std::fgetc(caught_); c != EOF; c = std::fgetc(caught_)) {
        text.push_back(static_cast<char>(c));
    }
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace marvesto::testing
