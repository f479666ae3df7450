// The program as a screen reader meets it on the accessibility bus of a test
// display: its controls, their press actions, and the events it announces.
#pragma once

#include "display.h"

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

namespace marvesto::testing {

struct AccessibleControl {
    QString name;
    QString role;
    QString description;
    bool showing = false;
    bool visible = false;
    QRect box;
    QStringList actions;
};

// The window first, then each of its controls, as the bus lists them; empty
// if the bus could not be read.
std::vector<AccessibleControl> AccessibleControls(const TestDisplay& display);
// Runs the press action of the control with this name.
bool PressAccessible(const TestDisplay& display, const QString& name);

struct AccessibleEvent {
    QString type;
    QString name;
    int detail = 0;
};

// Listens on the bus from its construction until Stop.
class AccessibilityEvents {
public:
    explicit AccessibilityEvents(const TestDisplay& display);
    AccessibilityEvents(const AccessibilityEvents&) = delete;
    AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

    // True once the listener is registered and the program will tell it.
    bool Ready();
    std::vector<AccessibleEvent> Stop();

private:
    QProcess listener_;
};

} // namespace marvesto::testing
