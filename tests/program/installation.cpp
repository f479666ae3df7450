#include "installation.h"

#include <QDir>
#include <QDirIterator>

namespace marvesto::testing {

QStringList InstalledPrograms(Layout layout) {
    return {
        layout == Layout::Packaged ? "games/marvesto" : "bin/marvesto",
        "libexec/marvesto/marvesto",
        "libexec/marvesto/marvesto-launch",
    };
}

QStringList InstalledFiles(Layout layout) {
    QStringList files = InstalledPrograms(layout);
    files << "libexec/marvesto/marvesto-sound.so"
          << "share/applications/org.marvesto.Marvesto.desktop"
          << "share/doc/marvesto/changelog.gz"
          << "share/doc/marvesto/copyright"
          << "share/doc/marvesto/screenshot.png"
          << "share/icons/hicolor/scalable/apps/org.marvesto.Marvesto.svg"
          << "share/marvesto/cues/DEAL.wav"
          << "share/marvesto/cues/DIAL.wav"
          << "share/marvesto/cues/END.wav"
          << "share/marvesto/cues/INTRO.wav"
          << "share/man/man6/marvesto.6.gz"
          << "share/metainfo/org.marvesto.Marvesto.metainfo.xml";
    for (const char* size : {"16", "24", "32", "48", "64", "128", "256"}) {
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/org.marvesto.Marvesto.png")
                     .arg(QLatin1String(size));
    }
    files.sort();
    return files;
}

QStringList FilesUnder(const QString& folder) {
    const QDir base(folder);
    QStringList files;
    QDirIterator entries(folder, QDir::Files | QDir::System | QDir::Hidden,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        files << base.relativeFilePath(entries.next());
    }
    files.sort();
    return files;
}

} // namespace marvesto::testing
