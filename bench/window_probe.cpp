// Starts a windowed program on the X display and watches it from outside
// (figures 1, 2, 7 and 9 of bench/README.md): the first painted frame, then
// the steps in order, then the peak memory once the program has ended.
//
//     window_probe_bench TITLE X Y RRGGBB [STEP]... -- PROGRAM [ARGUMENT]...
//
// The first frame is painted when the window pixel X Y is RRGGBB. A step is
// `sleep MS`, `click X Y`, `close` (the window system's close request),
// `time-click NAME X Y X2 Y2 RRGGBB` (clicks and times it until the pixel
// X2 Y2 is RRGGBB) or `time-end NAME X Y` (clicks and times it until the
// window is gone); a timed click is printed as `NAME-ms`.
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;
using namespace std::chrono_literals;

// Short against a start-up of a hundred milliseconds and more, long enough not
// to take a core away from the program being watched.
constexpr auto kFramePollPeriod = 1ms;
// A click takes a few milliseconds to show; polling finer than the difference
// to be seen keeps the probe's own delay out of it.
constexpr auto kClickPollPeriod = 500us;
constexpr auto kPatience = 30s;

struct Point {
    int x = 0;
    int y = 0;
};

Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}

template <typename Reply>
std::unique_ptr<Reply, void (*)(void*)> Own(Reply* reply) {
    return {reply, &std::free};
}

class Display {
public:
    Display() : connection_(xcb_connect(nullptr, nullptr)) {
        const xcb_query_extension_reply_t* xtest =
            xcb_connection_has_error(connection_) != 0
                ? nullptr
                : xcb_get_extension_data(connection_, &xcb_test_id);
        if (xtest == nullptr || xtest->present == 0) {
            xcb_disconnect(connection_);
            throw std::runtime_error("no display with the XTEST extension to click with");
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
        for (int i = 0; tree && i < xcb_query_tree_children_length(tree.get()); ++i) {
            const xcb_window_t window = xcb_query_tree_children(tree.get())[i];
            const auto attributes = Own(xcb_get_window_attributes_reply(
                connection_, xcb_get_window_attributes(connection_, window), nullptr));
            const auto name = Own(
                xcb_get_property_reply(connection_,
                                       xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME,
                                                        XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
                                       nullptr));
            const char* text =
                name ? static_cast<const char*>(xcb_get_property_value(name.get())) : "";
            if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && name &&
                std::string(text, text + xcb_get_property_value_length(name.get())) == title) {
                return window;
            }
        }
        return std::nullopt;
    }

    bool Viewable(xcb_window_t window) const {
        const auto attributes = Own(xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, window), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
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

    // Where the window's top left corner is on the screen.
    Point Origin(xcb_window_t window) const {
        const auto place = Own(xcb_translate_coordinates_reply(
            connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0), nullptr));
        if (!place) {
            throw std::runtime_error("cannot find the window on the screen");
        }
        return {place->dst_x, place->dst_y};
    }

    // The pointer moves there, then the left button is pressed and released.
    void Click(Point onScreen) const {
        xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_,
                            static_cast<std::int16_t>(onScreen.x),
                            static_cast<std::int16_t>(onScreen.y), 0);
        for (const std::uint8_t type : {XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE}) {
            xcb_test_fake_input(connection_, type, XCB_BUTTON_INDEX_1, XCB_CURRENT_TIME, root_, 0,
                                0, 0);
        }
        xcb_flush(connection_);
    }

    // As a window manager's close button does.
    void RequestClose(xcb_window_t window) const {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = Atom("WM_PROTOCOLS");
        message.data.data32[0] = Atom("WM_DELETE_WINDOW");
        xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection_);
    }

private:
    xcb_atom_t Atom(const char* name) const {
        const auto reply = Own(xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = 0;
};

// Starts the program, which the kernel ends should the probe end first.
pid_t Start(char** program) {
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        execvp(program[0], program);
        std::perror(program[0]);
        _exit(127);
    }
    if (pid < 0) {
        throw std::runtime_error(std::string("cannot start ") + program[0]);
    }
    return pid;
}

// Asks without reaping it, so that its resources can still be read.
bool Running(pid_t program) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(program), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == 0;
}

// Polls until `done` holds; fails if the program ends first or never gets there.
template <typename Done>
void WaitUntil(pid_t program, Clock::duration period, const char* what, Done done) {
    for (const auto giveUp = Clock::now() + kPatience;; std::this_thread::sleep_for(period)) {
        const bool ended = !Running(program);
        if (done()) {
            return;
        }
        if (ended || Clock::now() > giveUp) {
            throw std::runtime_error(std::string("the program never showed ") + what);
        }
    }
}

int Probe(int argc, char** argv) {
    int program = 1;
    while (program < argc && std::strcmp(argv[program], "--") != 0) {
        ++program;
    }
    int next = 1;
    const auto take = [&] {
        if (next >= program || program + 1 >= argc) {
            throw std::runtime_error("usage: see the top of bench/window_probe.cpp");
        }
        return argv[next++];
    };
    const auto point = [&] { return Point{std::stoi(take()), std::stoi(take())}; };
    const auto colour = [&] { return static_cast<std::uint32_t>(std::stoul(take(), nullptr, 16)); };
    const std::string title = take();
    const Point framePixel = point();
    const std::uint32_t frameColour = colour();

    const Display display;
    const auto start = Clock::now();
    const pid_t child = Start(argv + program + 1);
    xcb_window_t window = 0;
    WaitUntil(child, kFramePollPeriod, "a painted window", [&] {
        window = window != 0 ? window : display.MappedWindow(title).value_or(0);
        return window != 0 && display.Pixel(window, framePixel) == frameColour;
    });
    std::printf("first-frame-ms %.1f\n", Milliseconds(Clock::now() - start).count());

    const Point origin = display.Origin(window);
    while (next < program) {
        const std::string step = take();
        if (step == "sleep") {
            std::this_thread::sleep_for(Milliseconds(std::stod(take())));
        } else if (step == "click") {
            display.Click(origin + point());
        } else if (step == "close") {
            display.RequestClose(window);
        } else if (step == "time-click") {
            const std::string name = take();
            const Point place = point();
            const Point shows = point();
            const std::uint32_t shown = colour();
            // Otherwise the click would seem to take no time at all.
            if (display.Pixel(window, shows) == shown) {
                throw std::runtime_error("the clicked pixel has its colour before the click");
            }
            const auto clicked = Clock::now();
            display.Click(origin + place);
            WaitUntil(child, kClickPollPeriod, "the click",
                      [&] { return display.Pixel(window, shows) == shown; });
            std::printf("%s-ms %.1f\n", name.c_str(), Milliseconds(Clock::now() - clicked).count());
        } else if (step == "time-end") {
            const std::string name = take();
            const Point place = point();
            const auto clicked = Clock::now();
            display.Click(origin + place);
            // The program may end before the window is seen to go.
            WaitUntil(child, kClickPollPeriod, "the end",
                      [&] { return !display.Viewable(window) || !Running(child); });
            std::printf("%s-ms %.1f\n", name.c_str(), Milliseconds(Clock::now() - clicked).count());
        } else {
            throw std::runtime_error("unknown step " + step);
        }
    }
    WaitUntil(child, 10ms, "its end", [&] { return !Running(child); });
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("the program did not end normally");
    }
    std::printf("peak-rss-kib %ld\n", usage.ru_maxrss);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Probe(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "window_probe_bench: %s\n", error.what());
        return 1;
    }
}
