#include "display.h"

#include <QElapsedTimer>
#include <QThread>

#include <xcb/xcb.h>

#include <sys/prctl.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace marvesto::testing {

namespace {

constexpr int kStopMilliseconds = 5000;
constexpr unsigned long kPollMilliseconds = 50;

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
Owned<Reply> Own(Reply* reply) {
    return Owned<Reply>(reply, &std::free);
}

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    const auto reply = Own(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

bool Viewable(xcb_connection_t* connection, xcb_window_t window) {
    const auto attributes = Own(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

QByteArray Title(xcb_connection_t* connection, xcb_window_t window) {
    constexpr std::uint32_t kLongestTitle = 256;
    const auto property = Own(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME,
                                                XCB_GET_PROPERTY_TYPE_ANY, 0, kLongestTitle / 4),
                               nullptr));
    if (!property) {
        return QByteArray();
    }
    return QByteArray(static_cast<const char*>(xcb_get_property_value(property.get())),
                      xcb_get_property_value_length(property.get()));
}

// Starts a server that announces itself with one line on standard output,
// and returns that line; empty if none came.
QString StartAnnounced(QProcess& process, const QString& program, const QStringList& arguments) {
    EndWithTestProcess(process);
    // Nobody reads the server's messages: a full pipe would freeze the server.
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(static_cast<int>(kPatience.count()))) {
        return QString();
    }
    QElapsedTimer waited;
    waited.start();
    while (!process.canReadLine() && waited.elapsed() < kPatience.count() &&
           process.state() == QProcess::Running) {
        process.waitForReadyRead(static_cast<int>(kPatience.count()));
    }
    return QString::fromLatin1(process.readLine()).trimmed();
}

void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(kStopMilliseconds)) {
        process.kill();
        process.waitForFinished(kStopMilliseconds);
    }
}

} // namespace

void EndWithTestProcess(QProcess& process) {
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

ToolRun RunTool(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment, std::chrono::milliseconds limit) {
    QProcess tool;
    EndWithTestProcess(tool);
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    ToolRun run;
    run.finished = tool.waitForFinished(static_cast<int>(limit.count()));
    if (!run.finished) {
        tool.kill();
        tool.waitForFinished(kStopMilliseconds);
    }
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.output = tool.readAllStandardOutput();
    run.errors = tool.readAllStandardError();
    return run;
}

TestDisplay::TestDisplay(Options options) {
    StartServer(options.screen);
    if (failure_.isEmpty()) {
        StartSessionBus(options.accessibility);
    }
}

void TestDisplay::StartServer(QSize screen) {
    // -displayfd makes Xvfb choose a free display itself and write its number
    // once it accepts connections.
    const QString number = StartAnnounced(
        server_, QStringLiteral("Xvfb"),
        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
         QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
         QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (number.isEmpty()) {
        failure_ = QStringLiteral("Xvfb did not start: ") + server_.errorString();
        return;
    }
    name_ = QLatin1Char(':') + number;
    connection_ = xcb_connect(name_.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(connection_) != 0) {
        failure_ = QStringLiteral("cannot connect to Xvfb on ") + name_;
    }
}

// A desktop always has a session bus; without one Qt and SDL each try to
// start one through dbus-launch.
void TestDisplay::StartSessionBus(bool accessibility) {
    bus_.setProcessEnvironment(Environment());
    busAddress_ = StartAnnounced(bus_, QStringLiteral("dbus-daemon"),
                                 {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                  QStringLiteral("--print-address=1")});
    if (busAddress_.isEmpty()) {
        failure_ = QStringLiteral("dbus-daemon did not start: ") + bus_.errorString();
        return;
    }
    if (!accessibility) {
        return;
    }
    // Turned on as a screen reader turns it on; then the accessibility bus's
    // registry is woken and waited for, so that neither the program nor the
    // test's reader races its start.
    const QStringList onSessionBus{QStringLiteral("call"),          QStringLiteral("--session"),
                                   QStringLiteral("--dest"),        QStringLiteral("org.a11y.Bus"),
                                   QStringLiteral("--object-path"), QStringLiteral("/org/a11y/bus"),
                                   QStringLiteral("--method")};
    const ToolRun enabled =
        Run(QStringLiteral("gdbus"),
            onSessionBus + QStringList{QStringLiteral("org.freedesktop.DBus.Properties.Set"),
                                       QStringLiteral("org.a11y.Status"),
                                       QStringLiteral("IsEnabled"), QStringLiteral("<true>")});
    const ToolRun address =
        Run(QStringLiteral("gdbus"),
            onSessionBus + QStringList{QStringLiteral("org.a11y.Bus.GetAddress")});
    // gdbus prints the address as a tuple: ('unix:path=...,guid=...',)
    const QString accessibilityBus =
        QString::fromUtf8(address.output).section(QLatin1Char('\''), 1, 1);
    const ToolRun registry =
        Run(QStringLiteral("gdbus"),
            {QStringLiteral("call"), QStringLiteral("--address"), accessibilityBus,
             QStringLiteral("--timeout"), QString::number(kPatience.count() / 1000),
             QStringLiteral("--dest"), QStringLiteral("org.a11y.atspi.Registry"),
             QStringLiteral("--object-path"), QStringLiteral("/org/a11y/atspi/registry"),
             QStringLiteral("--method"), QStringLiteral("org.freedesktop.DBus.Peer.Ping")});
    for (const ToolRun* step : {&enabled, &address, &registry}) {
        if (!step->Succeeded()) {
            failure_ = QStringLiteral("cannot turn accessibility on: ") +
                       QString::fromLocal8Bit(step->errors);
            return;
        }
    }
}

TestDisplay::~TestDisplay() {
    if (connection_ != nullptr) {
        xcb_disconnect(connection_);
    }
    Stop(bus_);
    Stop(server_);
}

QProcessEnvironment TestDisplay::Environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), name_);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress_);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

ToolRun TestDisplay::Run(const QString& program, const QStringList& arguments) const {
    return RunTool(program, arguments, Environment());
}

std::uint32_t TestDisplay::WaitForWindow(const QString& title) const {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kPatience.count()) {
        if (const std::uint32_t window = FindWindow(title.toUtf8()); window != 0) {
            return window;
        }
        QThread::msleep(kPollMilliseconds);
    }
    return 0;
}

// Without a window manager the top-level windows are the root's children.
std::uint32_t TestDisplay::FindWindow(const QByteArray& title) const {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const auto tree =
        Own(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root), nullptr));
    if (!tree) {
        return 0;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (Viewable(connection_, children[i]) && Title(connection_, children[i]) == title) {
            return children[i];
        }
    }
    return 0;
}

QImage TestDisplay::Screenshot(std::uint32_t window) const {
    const ToolRun import =
        Run(QStringLiteral("import"),
            {QStringLiteral("-window"), QString::number(window), QStringLiteral("png:-")});
    return import.Succeeded() ? QImage::fromData(import.output, "PNG") : QImage();
}

bool TestDisplay::RequestClose(std::uint32_t window) const {
    const xcb_atom_t protocols = InternAtom(connection_, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = InternAtom(connection_, "WM_DELETE_WINDOW");
    if (protocols == xcb_atom_t{XCB_ATOM_NONE} || deleteWindow == xcb_atom_t{XCB_ATOM_NONE}) {
        return false;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = protocols;
    message.data.data32[0] = deleteWindow;
    message.data.data32[1] = XCB_CURRENT_TIME;
    const xcb_void_cookie_t sent = xcb_send_event_checked(
        connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    return !Own(xcb_request_check(connection_, sent));
}

} // namespace marvesto::testing
