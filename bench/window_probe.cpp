// Starts a windowed program on the X display and watches it from outside: how
// long from the process start until its window shows its first painted frame,
// and, after a scripted session of clicks, the program's peak resident memory.
//
//     window_probe_bench TITLE X,Y RRGGBB [--click X,Y]... [--end-click X,Y]
//                        -- PROGRAM [ARGUMENT]...
//
// The first frame is there when the top-level window titled TITLE is mapped
// and its pixel at X,Y has the colour RRGGBB. Each --click then goes to the
// window with xdotool, a moment apart. The session ends with the --end-click,
// after which the program must end by itself, or else with the window
// system's close request. Prints "first-frame-ms" and "peak-rss-kib" lines.
#include <xcb/xcb.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;
using namespace std::chrono_literals;

// Short against a start-up of a few hundred milliseconds, long enough not to
// take a core away from the program being watched.
constexpr auto kPollPeriod = 1ms;
constexpr auto kPatience = 30s;
// A player's pace is slower still; this lets every click be handled and
// painted before the next one.
constexpr auto kClickPause = 50ms;

struct Point {
    int x;
    int y;
};

struct Session {
    std::string title;
    Point pixel{};
    std::uint32_t colour = 0;
    std::vector<Point> clicks;
    std::optional<Point> endClick;
    std::vector<char*> program;
};

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
Owned<Reply> Own(Reply* reply) {
    return Owned<Reply>(reply, &std::free);
}

Point ParsePoint(const std::string& text) {
    Point point{};
    if (std::sscanf(text.c_str(), "%d,%d", &point.x, &point.y) != 2) {
        throw std::runtime_error("not a point X,Y: " + text);
    }
    return point;
}

Session ParseArguments(int argc, char** argv) {
    if (argc < 6) {
        throw std::runtime_error("usage: window_probe_bench TITLE X,Y RRGGBB [--click X,Y]... "
                                 "[--end-click X,Y] -- PROGRAM [ARGUMENT]...");
    }
    Session session;
    session.title = argv[1];
    session.pixel = ParsePoint(argv[2]);
    session.colour = static_cast<std::uint32_t>(std::stoul(argv[3], nullptr, 16));
    int next = 4;
    for (; next + 1 < argc && std::strcmp(argv[next], "--") != 0; next += 2) {
        const std::string option = argv[next];
        if (option == "--click") {
            session.clicks.push_back(ParsePoint(argv[next + 1]));
        } else if (option == "--end-click") {
            session.endClick = ParsePoint(argv[next + 1]);
        } else {
            throw std::runtime_error("unknown option " + option);
        }
    }
    if (next + 1 >= argc || std::strcmp(argv[next], "--") != 0) {
        throw std::runtime_error("no program given after --");
    }
    session.program.assign(argv + next + 1, argv + argc);
    session.program.push_back(nullptr);
    return session;
}

class Display {
public:
    Display() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_) != 0) {
            xcb_disconnect(connection_);
            throw std::runtime_error("cannot open the display named by DISPLAY");
        }
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
    ~Display() { xcb_disconnect(connection_); }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // Without a window manager the top-level windows are the root's children.
    std::optional<xcb_window_t> MappedWindow(const std::string& title) const {
        const auto tree =
            Own(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
        if (!tree) {
            return std::nullopt;
        }
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
            if (Viewable(children[i]) && Title(children[i]) == title) {
                return children[i];
            }
        }
        return std::nullopt;
    }

    // Empty while the window cannot be read, before it is mapped for instance.
    std::optional<std::uint32_t> Pixel(xcb_window_t window, Point at) const {
        const auto image =
            Own(xcb_get_image_reply(connection_,
                                    xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window,
                                                  static_cast<std::int16_t>(at.x),
                                                  static_cast<std::int16_t>(at.y), 1, 1, ~0U),
                                    nullptr));
        if (!image || xcb_get_image_data_length(image.get()) < 4) {
            return std::nullopt;
        }
        // A 24-bit TrueColor screen, as Xvfb's, stores a pixel as 0x00RRGGBB.
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, xcb_get_image_data(image.get()), sizeof pixel);
        return pixel & 0xFFFFFFU;
    }

    // As a window manager's close button does.
    void RequestClose(xcb_window_t window) const {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = Atom("WM_PROTOCOLS");
        message.data.data32[0] = Atom("WM_DELETE_WINDOW");
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection_);
    }

private:
    bool Viewable(xcb_window_t window) const {
        const auto attributes = Own(xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, window), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    std::string Title(xcb_window_t window) const {
        constexpr std::uint32_t kLongestTitle = 256;
        const auto property = Own(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0,
                             kLongestTitle / 4),
            nullptr));
        if (!property) {
            return {};
        }
        return {static_cast<const char*>(xcb_get_property_value(property.get())),
                static_cast<std::size_t>(xcb_get_property_value_length(property.get()))};
    }

    xcb_atom_t Atom(const char* name) const {
        const auto reply = Own(xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr));
        if (!reply) {
            throw std::runtime_error(std::string("the display has no atom ") + name);
        }
        return reply->atom;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
};

pid_t Start(char* const* program) {
    const pid_t child = fork();
    if (child == 0) {
        execvp(program[0], program);
        std::perror(program[0]);
        _exit(127);
    }
    if (child < 0) {
        throw std::runtime_error("cannot start " + std::string(program[0]));
    }
    return child;
}

// The program under watch; killed if the probe gives up on it.
class Child {
public:
    explicit Child(char* const* program) : pid_(Start(program)) {}
    ~Child() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Running() {
        if (waitpid(pid_, nullptr, WNOHANG) == 0) {
            return true;
        }
        pid_ = 0;
        return false;
    }

    // The peak resident set, in KiB, once the program has ended with status 0.
    long WaitForEnd() {
        const auto giveUp = Clock::now() + kPatience;
        while (Clock::now() < giveUp) {
            int status = 0;
            rusage usage{};
            if (wait4(pid_, &status, WNOHANG, &usage) == pid_) {
                pid_ = 0;
                if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                    throw std::runtime_error("the program did not end normally");
                }
                return usage.ru_maxrss;
            }
            std::this_thread::sleep_for(10ms);
        }
        throw std::runtime_error("the program did not end");
    }

private:
    pid_t pid_;
};

void Click(xcb_window_t window, Point at) {
    const std::string id = std::to_string(window);
    const std::string x = std::to_string(at.x);
    const std::string y = std::to_string(at.y);
    std::vector<const char*> tool{"xdotool", "mousemove", "--window", id.c_str(), x.c_str(),
                                  y.c_str(), "click",     "1",        nullptr};
    const pid_t child = Start(const_cast<char* const*>(tool.data()));
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("xdotool could not click");
    }
}

// Returns the window once the pixel shows the colour.
xcb_window_t WaitForFirstFrame(const Display& display, const Session& session, Child& child) {
    const auto giveUp = Clock::now() + kPatience;
    std::optional<xcb_window_t> window;
    while (Clock::now() < giveUp) {
        if (!child.Running()) {
            throw std::runtime_error("the program ended before it showed its window");
        }
        if (!window) {
            window = display.MappedWindow(session.title);
        }
        if (window && display.Pixel(*window, session.pixel) == session.colour) {
            return *window;
        }
        std::this_thread::sleep_for(kPollPeriod);
    }
    throw std::runtime_error("no painted window titled \"" + session.title + "\" appeared");
}

} // namespace

int main(int argc, char** argv) {
    try {
        const Session session = ParseArguments(argc, argv);
        const Display display;
        const auto start = Clock::now();
        Child child(session.program.data());
        const xcb_window_t window = WaitForFirstFrame(display, session, child);
        const Milliseconds firstFrame = Clock::now() - start;

        for (const Point& place : session.clicks) {
            std::this_thread::sleep_for(kClickPause);
            Click(window, place);
        }
        std::this_thread::sleep_for(kClickPause);
        if (session.endClick) {
            Click(window, *session.endClick);
        } else {
            display.RequestClose(window);
        }
        const long peakKib = child.WaitForEnd();

        std::printf("first-frame-ms %.1f\npeak-rss-kib %ld\n", firstFrame.count(), peakKib);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "window_probe_bench: %s\n", error.what());
        return 1;
    }
}
