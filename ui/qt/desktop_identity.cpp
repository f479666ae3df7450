#include "desktop_identity.h"

#include <QGuiApplication>
#include <QIcon>
#include <QString>

namespace marvesto {

namespace {

// The name of the desktop entry, of the AppStream data and of the icon in the
// theme, as installed.
const QString kDesktopId = QStringLiteral("org.marvesto.Marvesto");

QIcon BuiltInIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/icons/marvesto-%1.png").arg(size));
    }
    return icon;
}

} // namespace

void TakeDesktopIdentity() {
    QGuiApplication::setDesktopFileName(kDesktopId);
    QGuiApplication::setApplicationName(kDesktopId);
    QGuiApplication::setWindowIcon(QIcon::fromTheme(kDesktopId, BuiltInIcon()));
}

} // namespace marvesto
