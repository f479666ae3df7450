#include "display_check.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace marvesto {

namespace {

// Where a message came from: the pointers are to Qt's static strings.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;

std::string_view Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

// The first platform Qt tries: QT_QPA_PLATFORM may list several, separated by
// ';', each followed by options after ':'. None named means X.
std::string_view RequestedPlatform() {
    std::string_view platform = Environment("QT_QPA_PLATFORM");
    platform = platform.substr(0, platform.find(';'));
    return platform.substr(0, platform.find(':'));
}

std::string Reason() {
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

// Qt ends the program after a fatal message; it is the one that says no
// platform could be started, and all that came before says the same less
// plainly.
void HoldOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", Reason().c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    heldMessages.push_back(
        {type, context.file, context.line, context.function, context.category, text});
}

} // namespace

DisplayCheck::DisplayCheck() {
    previousHandler = qInstallMessageHandler(HoldOrEnd);
}

DisplayCheck::~DisplayCheck() {
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& held : std::exchange(heldMessages, {})) {
        const QMessageLogContext context(held.file, held.line, held.function, held.category);
        qt_message_output(held.type, context, held.text);
    }
}

} // namespace marvesto
