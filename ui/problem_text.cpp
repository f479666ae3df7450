#include "problem_text.h"

#include <cstdio>

namespace marvesto {

std::string RunTimeErrorText(const std::string& message) {
    std::fprintf(stderr, "marvesto: run-time error: %s\n", message.c_str());
    return "Run-time error:\n\n" + message + "\n\nThe game ends now.";
}

bool StoreFailureFilter::IsNew(const std::string& message) {
    if (message == lastTold_) {
        return false;
    }
    lastTold_ = message;
    std::fprintf(stderr, "marvesto: %s\n", message.c_str());
    return true;
}

} // namespace marvesto
