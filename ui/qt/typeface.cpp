#include "typeface.h"

#include "window_layout.h"

#include <QFontDatabase>
#include <QResource>
#include <QStringList>

#include <algorithm>
#include <array>
#include <utility>

namespace marvesto {

namespace {

const QString kPreferredTypeface = QStringLiteral("Orbit-B BT");
const QString kBundledTypeface = QStringLiteral("DejaVu Sans");
// The styles the window uses, bold, italic and bold italic, and the files
// that hold them in the program.
const std::array<std::pair<QString, QString>, 3> kBundledStyles{{
    {QStringLiteral("Bold"), QStringLiteral(":/fonts/DejaVuSans-Bold.ttf")},
    {QStringLiteral("Oblique"), QStringLiteral(":/fonts/DejaVuSans-Oblique.ttf")},
    {QStringLiteral("Bold Oblique"), QStringLiteral(":/fonts/DejaVuSans-BoldOblique.ttf")},
}};

QString ChooseTypeface() {
    if (QFontDatabase::families().contains(kPreferredTypeface)) {
        return kPreferredTypeface;
    }
    // Debian's fonts-dejavu-core installs the very files the program carries;
    // where the system has them, the program's own copies are left unread,
    // which spares about a megabyte and a millisecond at start.
    const QStringList installed = QFontDatabase::styles(kBundledTypeface);
    if (std::all_of(kBundledStyles.begin(), kBundledStyles.end(),
                    [&installed](const auto& style) { return installed.contains(style.first); })) {
        return kBundledTypeface;
    }
    // Handed to Qt as the bytes built into the program, not as file names: a
    // font named by a resource path Qt copies twice, when it is added and when
    // it is opened for drawing, about 4 MB for these three.
    for (const auto& [style, file] : kBundledStyles) {
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
    font.setPixelSize(FontPixels(spec, kLayoutDotsPerInch));
    font.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(spec.italic);
    return font;
}

} // namespace marvesto
