#include "display_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace marvesto {

namespace {

QtMessageHandler previousHandler = nullptr;
// Standard error as it was, while the toolkit's start writes into a file.
int savedStandardError = -1;
std::FILE* heldOutput = nullptr;

std::string_view Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

// The first platform Qt tries: QT_QPA_PLATFORM may list several, separated by
// ';', each followed by options after ':'. None named means X, or Wayland in a
// Wayland session.
std::string_view RequestedPlatform() {
    std::string_view platform = Environment("QT_QPA_PLATFORM");
    platform = platform.substr(0, platform.find(';'));
    return platform.substr(0, platform.find(':'));
}

bool WaylandWanted() {
    const std::string_view platform = RequestedPlatform();
    return platform.empty() ? Environment("XDG_SESSION_TYPE") == "wayland"
                            : platform.starts_with("wayland");
}

// Debian keeps Qt's Wayland platform in a package of its own.
bool WaylandPluginInstalled() {
    const QStringList folders = QCoreApplication::libraryPaths();
    return std::any_of(folders.begin(), folders.end(), [](const QString& folder) {
        const QDir platforms(folder + QStringLiteral("/platforms"));
        return !platforms.entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty();
    });
}

std::string Reason() {
    if (WaylandWanted()) {
        return WaylandPluginInstalled()
                   ? "Marvesto cannot open a window on the platform \"wayland\"."
                   : "Marvesto cannot open a window on the platform \"wayland\": Qt's Wayland "
                     "plugin is not installed (install the package qt6-wayland).";
    }
    const std::string_view platform = RequestedPlatform();
    if (!platform.empty() && platform != "xcb") {
        return "Marvesto cannot open a window on the platform \"" + std::string(platform) + "\".";
    }
    const std::string_view display = Environment("DISPLAY");
    if (display.empty()) {
        return "Marvesto needs a graphical display, but DISPLAY is not set.";
    }
    return "Marvesto cannot open the display \"" + std::string(display) + "\".";
}

void RestoreStandardError() {
    std::fflush(stderr);
    if (savedStandardError >= 0) {
        dup2(savedStandardError, STDERR_FILENO);
        close(savedStandardError);
        savedStandardError = -1;
    }
}

// Qt ends the program after a fatal message; it is the one that says no
// platform could be started, and all that came before, Qt's and its
// libraries', says the same less plainly.
void PassOnOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        RestoreStandardError();
        std::fprintf(stderr, "%s\n", Reason().c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    previousHandler(type, context, text);
}

} // namespace

DisplayCheck::DisplayCheck() {
    heldOutput = std::tmpfile();
    if (heldOutput != nullptr) {
        std::fflush(stderr);
        savedStandardError = dup(STDERR_FILENO);
        dup2(fileno(heldOutput), STDERR_FILENO);
    }
    previousHandler = qInstallMessageHandler(PassOnOrEnd);
}

DisplayCheck::~DisplayCheck() {
    qInstallMessageHandler(previousHandler);
    RestoreStandardError();
    if (heldOutput != nullptr) {
        std::rewind(heldOutput);
        std::array<char, 4096> buffer{};
        for (std::size_t read = 0;
             (read = std::fread(buffer.data(), 1, buffer.size(), heldOutput)) > 0;) {
            std::fwrite(buffer.data(), 1, read, stderr);
        }
        std::fclose(heldOutput);
        heldOutput = nullptr;
    }
}

} // namespace marvesto
