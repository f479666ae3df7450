#include "desktop_identity.h"

#include "after_first_frame.h"

#include <QGuiApplication>
#include <QIcon>
#include <QString>

namespace marvesto {

namespace {

// The name of the desktop entry, of the AppStream data and of the icon in the
// theme, as installed.
const QString kDesktopId = QStringLiteral("org.marvesto.Marvesto");

QIcon GameIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/icons/marvesto-%1.png").arg(size));
    }
    return icon;
}

} // namespace

void TakeDesktopIdentity(QWidget& window) {
    QGuiApplication::setDesktopFileName(kDesktopId);
    QGuiApplication::setApplicationName(kDesktopId);
    AfterFirstFrame(window, window, [] { QGuiApplication::setWindowIcon(GameIcon()); });
}

} // namespace marvesto
