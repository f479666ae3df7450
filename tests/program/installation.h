// What an installation of the game holds, and running the tools that make one
// and look into it.
#pragma once

#include <QString>
#include <QStringList>

#include "display.h"

namespace marvesto::testing {

// `cmake --install` puts the `marvesto` command in bin/, where other
// prefixes (~/.local) want it; the Debian package keeps it in games/, where
// Debian wants games. Nothing else differs.
enum class Layout { Installed, Packaged };

// The programs an installation holds, relative to its prefix.
QStringList InstalledPrograms(Layout layout = Layout::Installed);
// Every file an installation holds, programs included, relative to its
// prefix and sorted.
QStringList InstalledFiles(Layout layout = Layout::Installed);
// The files and links below a folder, relative to it and sorted.
QStringList FilesUnder(const QString& folder);

} // namespace marvesto::testing
