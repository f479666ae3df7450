// The shared layout's values as Qt takes them.
#pragma once

#include "window_keys.h"
#include "window_layout.h"

#include <QColor>
#include <QRect>
#include <QString>

namespace marvesto {

inline QColor ToQColor(Rgb colour) {
    return {colour.red, colour.green, colour.blue};
}

inline Rgb ToRgb(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

// Pixels at 96 dpi; Qt scales them on screens of other resolutions.
inline QRect ToQRect(const TwipRect& twips) {
    const PixelRect pixels = ToPixels(twips);
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

inline QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

inline Qt::Key ToQtKey(Key key) {
    switch (key) {
    case Key::D:
        return Qt::Key_D;
    case Key::Return:
        return Qt::Key_Return;
    case Key::Enter:
        return Qt::Key_Enter;
    case Key::Space:
        break;
    }
    return Qt::Key_Space;
}

} // namespace marvesto
