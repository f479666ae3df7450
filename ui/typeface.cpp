#include "typeface.h"

#include <QFontDatabase>
#include <QResource>
#include <QStringList>

#include <cmath>

namespace marvesto {

namespace {

const QString kPreferredTypeface = QStringLiteral("Orbit-B BT");
const QString kBundledTypeface = QStringLiteral("DejaVu Sans");
// The styles the window uses: bold, italic and bold italic.
const QStringList kBundledFiles{
    QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"),
    QStringLiteral(":/fonts/DejaVuSans-Oblique.ttf"),
    QStringLiteral(":/fonts/DejaVuSans-BoldOblique.ttf"),
};

constexpr double kPixelsPerPoint = 96.0 / 72.0;

QString ChooseTypeface() {
    if (QFontDatabase::families().contains(kPreferredTypeface)) {
        return kPreferredTypeface;
    }
    // Handed to Qt as the bytes built into the program, not as file names: a
    // font named by a resource path Qt copies twice, when it is added and when
    // it is opened for drawing, about 4 MB for these three.
    for (const QString& file : kBundledFiles) {
        QFontDatabase::addApplicationFontFromData(QResource(file).uncompressedData());
    }
    return kBundledTypeface;
}

} // namespace

QString GameTypeface() {
    static const QString typeface = ChooseTypeface();
    return typeface;
}

QFont GameFont(const FontSpec& spec) {
    QFont font(GameTypeface());
    font.setPixelSize(static_cast<int>(std::lround(spec.points * kPixelsPerPoint)));
    font.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(spec.italic);
    return font;
}

} // namespace marvesto
