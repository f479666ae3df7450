#include "typeface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QStringList>
#include <QtGlobal>

#include <algorithm>

namespace marvesto {

namespace {

const QString kPreferredTypeface = QStringLiteral("Orbit-B BT");
const QString kReplacementTypeface = QStringLiteral("DejaVu Sans");
// The styles the window uses: bold, italic and bold italic.
const QStringList kStyles{QStringLiteral("Bold"), QStringLiteral("Oblique"),
                          QStringLiteral("Bold Oblique")};

constexpr double kPixelsPerPoint = 96.0 / 72.0;

bool HasEveryStyle() {
    const QStringList installed = QFontDatabase::styles(kReplacementTypeface);
    return std::all_of(kStyles.begin(), kStyles.end(),
                       [&installed](const QString& style) { return installed.contains(style); });
}

// The game's own DejaVu files: in "fonts" beside the program as built, or in
// the game's data folder as installed. Read from the files, not from copies
// in memory, Qt and FreeType map them and keep only what they draw from.
QStringList FontFolders() {
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.filePath(QStringLiteral("fonts")),
            program.filePath(QStringLiteral(MARVESTO_INSTALLED_FONTS))};
}

QString ChooseTypeface() {
    if (QFontDatabase::families().contains(kPreferredTypeface)) {
        return kPreferredTypeface;
    }
    // Debian's fonts-dejavu-core and fonts-dejavu-extra install the very files
    // the game carries, which are then left unread.
    if (HasEveryStyle()) {
        return kReplacementTypeface;
    }
    for (const QString& folder : FontFolders()) {
        const QDir fonts(folder);
        for (const QString& file : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files)) {
            QFontDatabase::addApplicationFont(fonts.filePath(file));
        }
        if (HasEveryStyle()) {
            break;
        }
    }
    return kReplacementTypeface;
}

} // namespace

QString GameTypeface() {
    static const QString typeface = ChooseTypeface();
    return typeface;
}

QFont GameFont(const FontSpec& spec) {
    QFont font(GameTypeface());
    // Qt's own rounding, inline: the first call into the maths library would
    // map about a tenth of a megabyte of it.
    font.setPixelSize(qRound(spec.points * kPixelsPerPoint));
    font.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(spec.italic);
    return font;
}

} // namespace marvesto
