// What every rule test includes: doctest, and the call log's entries shown
// whole when a comparison of them fails.
#pragma once

#include "doctest.h"

#include <string>
#include <vector>

namespace doctest {

template <>
struct StringMaker<std::vector<std::string>> {
    static String convert(const std::vector<std::string>& entries) {
        std::string shown = "{";
        for (const std::string& entry : entries) {
            shown += (shown.size() > 1 ? ", \"" : "\"") + entry + "\"";
        }
        return (shown + "}").c_str();
    }
};

} // namespace doctest
