// Tells the player about a problem, on standard error and in a message box.
#pragma once

#include <string>

class QWidget;

namespace marvesto {

// A run-time error that ends the program; the caller ends it afterwards.
void ReportRunTimeError(QWidget* parent, const std::string& message);

// The high score could not be read or kept; the game goes on. A deal saves
// twice in a row, and the same failure is told to the player once.
class StoreFailureReport {
public:
    explicit StoreFailureReport(QWidget* parent) : parent_(parent) {}
    void operator()(const std::string& message);

private:
    QWidget* parent_;
    std::string lastTold_;
};

} // namespace marvesto
