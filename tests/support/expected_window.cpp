#include "expected_window.h"

#include "screen_probes.h"

#include <QColor>
#include <QString>

#include <algorithm>
#include <cstdlib>

namespace marvesto::testing {

namespace {

// Drawn on the same machine with the same font files the two windows agree
// pixel for pixel; this leaves room for a slightly different anti-aliasing of
// the glyph edges, while a caption with one wrong digit differs in dozens of
// pixels by far more.
constexpr int kEdgeShadeSpread = 32;
constexpr int kStrayPixels = 2;

int ChannelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

} // namespace

bool ExpectedWindow::Matches(const QImage& screen) {
    return Matches(screen, window_.rect());
}

bool ExpectedWindow::Matches(const QImage& screen, Control control) {
    return Matches(screen, Place(control));
}

bool ExpectedWindow::ShowsCaption(const QImage& screen, Control label, const std::string& caption) {
    window_.SetCaption(label, caption);
    return Matches(screen, label);
}

bool ExpectedWindow::Matches(const QImage& screen, const QRect& area) {
    if (area.isEmpty() || !screen.rect().contains(area)) {
        return false;
    }
    const QImage expected = window_.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage actual = screen.copy(area).convertToFormat(QImage::Format_RGB32);
    if (expected.size() != actual.size()) {
        return false;
    }
    int differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (ChannelDistance(expected.pixel(x, y), actual.pixel(x, y)) > kEdgeShadeSpread) {
                ++differing;
            }
        }
    }
    return differing <= kStrayPixels;
}

} // namespace marvesto::testing
