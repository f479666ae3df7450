#include "desktop_identity.h"

#include "after_first_frame.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QString>

#include <array>

namespace marvesto {

namespace {

// The name of the desktop entry, of the AppStream data and of the icon in the
// theme, as installed.
const QString kDesktopId = QStringLiteral("org.marvesto.Marvesto");

// The sizes window managers draw a window's own icon at: in its frame and
// menus, on its task bar button and in the window switcher. Larger views, a
// dock's or a launcher's, take the menu entry's icon from the icon theme.
constexpr std::array kIconSizes{16, 32, 48};

QIcon GameIcon() {
    QIcon icon;
    for (const int size : kIconSizes) {
        // Read as the PNG files they are: asking Qt's image plugins whether
        // they can read them loads every plugin, and libjpeg with them.
        QImageReader file(QStringLiteral(":/icons/marvesto-%1.png").arg(size), "png");
        file.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(file.read()));
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
