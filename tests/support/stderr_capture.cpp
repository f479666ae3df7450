#include "stderr_capture.h"

#include <unistd.h>

#include <array>
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
    for (std::array<char, 4096> line{};
         std::fgets(line.data(), static_cast<int>(line.size()), caught_) != nullptr;) {
        lines.emplace_back(line.data(), std::strcspn(line.data(), "\n"));
    }
    return lines;
}

} // namespace marvesto::testing
