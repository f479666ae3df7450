#include "window_accessibility.h"

#include "marvesto_window.h"

#include <QAccessibleWidget>

namespace marvesto {

namespace {

// Qt presents a plain top-level widget as a filler, which a screen reader
// passes over as a mere container.
QAccessibleInterface* WindowInterface(const QString& /*className*/, QObject* object) {
    auto* window = qobject_cast<MarvestoWindow*>(object);
    return window != nullptr ? new QAccessibleWidget(window, QAccessible::Window) : nullptr;
}

} // namespace

void InstallWindowAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(WindowInterface);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace marvesto
