// Tells the player about a problem, on standard error and in a message box.
#pragma once

#include "problem_text.h"

#include <string>

class QWidget;

namespace marvesto {

// A run-time error that ends the program; the caller ends it afterwards.
void ReportRunTimeError(QWidget* parent, const std::string& message);

// The high score could not be read or kept; the game goes on, and the same
// failure twice in a row is told once.
class StoreFailureReport {
public:
    explicit StoreFailureReport(QWidget* parent) : parent_(parent) {}
    void operator()(const std::string& message);

private:
    QWidget* parent_;
    StoreFailureFilter filter_;
};

} // namespace marvesto
