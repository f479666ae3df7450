// Tells the player about a problem, on standard error and in a message box,
// the platform's own report.
#pragma once

#include "problem_text.h"

#include <windows.h>

#include <string>

namespace marvesto {

// A run-time error that ends the program; the caller ends it afterwards.
void ReportRunTimeError(HWND owner, const std::string& message);

// The high score could not be read or kept; the game goes on, and the same
// failure twice in a row is told once.
class StoreFailureReport {
public:
    explicit StoreFailureReport(HWND owner) : owner_(owner) {}
    void operator()(const std::string& message);

private:
    HWND owner_;
    StoreFailureFilter filter_;
};

} // namespace marvesto
