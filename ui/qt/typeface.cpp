#include "typeface.h"

#include "bundled_typeface.h"
#include "window_layout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QStringList>

#include <algorithm>

namespace marvesto {

namespace {

const QString kPreferredTypeface = QStringLiteral("Orbit-B BT");
const QString kReplacementTypeface =
    QString::fromUtf8(kBundledTypeface.data(), qsizetype(kBundledTypeface.size()));
// The styles the window uses: bold, italic and bold italic.
const QStringList kStyles{QStringLiteral("Bold"), QStringLiteral("Oblique"),
                          QStringLiteral("Bold Oblique")};

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
        for (const std::string_view file : kBundledTypefaceFiles) {
            QFontDatabase::addApplicationFont(
                fonts.filePath(QString::fromUtf8(file.data(), qsizetype(file.size()))));
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
    font.setPixelSize(FontPixels(spec, kLayoutDotsPerInch));
    font.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(spec.italic);
    return font;
}

} // namespace marvesto
