// Tells the player about a problem, on standard error and in a message box.
#pragma once

#include <string>

class QWidget;

namespace marvesto {

// A run-time error that ends the program; the caller ends it afterwards.
void ReportRunTimeError(QWidget* parent, const std::string& message);

// The high score could not be kept; the game goes on.
void ReportStoreFailure(QWidget* parent, const std::string& message);

} // namespace marvesto
