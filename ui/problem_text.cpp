#include "problem_text.h"

#include <iostream>

namespace marvesto {

std::string RunTimeErrorText(const std::string& message) {
    std::cerr << "marvesto: run-time error: " << message << std::endl;
    return "Run-time error:\n\n" + message + "\n\nThe game ends now.";
}

bool StoreFailureFilter::IsNew(const std::string& message) {
    if (message == lastTold_) {
        return false;
    }
    lastTold_ = message;
    std::cerr << "marvesto: " << message << std::endl;
    return true;
}

} // namespace marvesto
