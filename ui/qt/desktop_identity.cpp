#include "desktop_identity.h"

#include "after_first_frame.h"

#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QResource>
#include <QString>

namespace marvesto {

namespace {

// The name of the desktop entry, of the AppStream data and of the icon in the
// theme, as installed.
const QString kDesktopId = QStringLiteral("org.marvesto.Marvesto");

// The window carries the sizes window managers draw a window's own icon at:
// in its frame and menus, on its task bar button and in the window switcher.
// Larger views, a dock's or a launcher's, take the menu entry's icon from the
// icon theme. Each is its bare 8-bit RGBA pixels, named by its side: decoding
// image files would bring Qt's image reader, the list of its plugins and
// libpng into memory, a fifth of a megabyte for 14 kB of pixels.
QIcon GameIcon() {
    QIcon icon;
    const QDir folder(QStringLiteral(":/icons"));
    for (const QString& name : folder.entryList()) {
        const int side = name.section(u'-', 1).section(u'.', 0, 0).toInt();
        const QByteArray pixels = QResource(folder.filePath(name)).uncompressedData();
        if (side > 0 && pixels.size() == qsizetype{side} * side * 4) {
            icon.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(pixels.data()),
                                                     side, side, QImage::Format_RGBA8888)));
        }
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
