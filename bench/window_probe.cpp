// Starts a windowed program on the X display and watches it from outside:
// the first painted frame, a first click, a session of clicks, and the peak
// memory at the end (bench/README.md says how).
//
//     window_probe_bench TITLE X,Y RRGGBB
//                        [--first-click-after MS X,Y X2,Y2 RRGGBB]
//                        [--click X,Y]... [--click-pause MS] [--end-click X,Y]
//                        -- PROGRAM [ARGUMENT]...
#include <xcb/xcb.h>
#include <xcb/xtest.h>

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
// A click takes a millisecond or two to show; polling finer than the
// difference to be seen keeps the probe's own delay out of it.
constexpr auto kClickPollPeriod = 500us;
constexpr auto kPatience = 30s;
// A player's pace is slower still; this lets every click be handled and
// painted before the next one.
constexpr Milliseconds kClickPause = 50ms;

struct Point {
    int x;
    int y;
};

Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}

// A pixel of the window and the colour it is waited for to have.
struct Pixel {
    Point at;
    std::uint32_t colour;
};

struct FirstClick {
    Milliseconds after;
    Point place;
    Pixel shows;
};

struct Session {
    std::string title;
    Pixel firstFrame{};
    std::optional<FirstClick> firstClick;
    std::vector<Point> clicks;
    Milliseconds clickPause = kClickPause;
    std::optional<Point> endClick;
    std::vector<char*> program;
};

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
Owned<Reply> Own(Reply* reply) {
    return Owned<Reply>(reply, &std::free);
}

Session ParseArguments(int argc, char** argv) {
    Session session;
    int next = 1;
    const auto take = [&]() -> std::string {
        if (next >= argc) {
            throw std::runtime_error("usage: see the comment at the top of bench/window_probe.cpp");
        }
        return argv[next++];
    };
    const auto point = [&take] {
        Point point{};
        const std::string text = take();
        if (std::sscanf(text.c_str(), "%d,%d", &point.x, &point.y) != 2) {
            throw std::runtime_error("not a point X,Y: " + text);
        }
        return point;
    };
    const auto pixel = [&] {
        const Point at = point();
        return Pixel{at, static_cast<std::uint32_t>(std::stoul(take(), nullptr, 16))};
    };
    session.title = take();
    session.firstFrame = pixel();
    for (std::string option = take(); option != "--"; option = take()) {
        if (option == "--first-click-after") {
            const Milliseconds after(std::stod(take()));
            const Point place = point();
            session.firstClick = FirstClick{after, place, pixel()};
        } else if (option == "--click") {
            session.clicks.push_back(point());
        } else if (option == "--click-pause") {
            session.clickPause = Milliseconds(std::stod(take()));
        } else if (option == "--end-click") {
            session.endClick = point();
        } else {
            throw std::runtime_error("unknown option " + option);
        }
    }
    session.program.assign(argv + next, argv + argc);
    if (session.program.empty()) {
        throw std::runtime_error("no program given after --");
    }
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
        const xcb_query_extension_reply_t* xtest =
            xcb_get_extension_data(connection_, &xcb_test_id);
        if (xtest == nullptr || xtest->present == 0) {
            xcb_disconnect(connection_);
            throw std::runtime_error("the display has no XTEST extension to click with");
        }
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
        const auto x = static_cast<std::int16_t>(onScreen.x);
        const auto y = static_cast<std::int16_t>(onScreen.y);
        xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, x, y, 0);
        xcb_test_fake_input(connection_, XCB_BUTTON_PRESS, XCB_BUTTON_INDEX_1, XCB_CURRENT_TIME,
                            root_, 0, 0, 0);
        xcb_test_fake_input(connection_, XCB_BUTTON_RELEASE, XCB_BUTTON_INDEX_1, XCB_CURRENT_TIME,
                            root_, 0, 0, 0);
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

// The program under watch; killed if the probe gives up on it.
class Child {
public:
    explicit Child(char* const* program) : pid_(fork()) {
        if (pid_ == 0) {
            execvp(program[0], program);
            std::perror(program[0]);
            _exit(127);
        }
        if (pid_ < 0) {
            throw std::runtime_error("cannot start " + std::string(program[0]));
        }
    }
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
        if (window && display.Pixel(*window, session.firstFrame.at) == session.firstFrame.colour) {
            return *window;
        }
        std::this_thread::sleep_for(kPollPeriod);
    }
    throw std::runtime_error("no painted window titled \"" + session.title + "\" appeared");
}

Milliseconds TimeFirstClick(const Display& display, xcb_window_t window, Point origin,
                            const FirstClick& click, Clock::time_point firstFrameShown,
                            Child& child) {
    std::this_thread::sleep_until(firstFrameShown + click.after);
    // Otherwise the click would seem to take no time at all.
    if (display.Pixel(window, click.shows.at) == click.shows.colour) {
        throw std::runtime_error("the first click's pixel has its colour before the click");
    }
    const auto start = Clock::now();
    display.Click(origin + click.place);
    const auto giveUp = start + kPatience;
    while (display.Pixel(window, click.shows.at) != click.shows.colour) {
        if (Clock::now() > giveUp || !child.Running()) {
            throw std::runtime_error("the first click did not show");
        }
        std::this_thread::sleep_for(kClickPollPeriod);
    }
    return Clock::now() - start;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const Session session = ParseArguments(argc, argv);
        const Display display;
        const auto start = Clock::now();
        Child child(session.program.data());
        const xcb_window_t window = WaitForFirstFrame(display, session, child);
        const auto firstFrameShown = Clock::now();
        const Point origin = display.Origin(window);

        std::optional<Milliseconds> firstClick;
        if (session.firstClick) {
            firstClick = TimeFirstClick(display, window, origin, *session.firstClick,
                                        firstFrameShown, child);
        }
        for (const Point& place : session.clicks) {
            std::this_thread::sleep_for(session.clickPause);
            display.Click(origin + place);
        }
        std::this_thread::sleep_for(session.clickPause);
        if (session.endClick) {
            display.Click(origin + *session.endClick);
        } else {
            display.RequestClose(window);
        }
        const long peakKib = child.WaitForEnd();

        std::printf("first-frame-ms %.1f\n", Milliseconds(firstFrameShown - start).count());
        if (firstClick) {
            std::printf("first-click-ms %.1f\n", firstClick->count());
        }
        std::printf("peak-rss-kib %ld\n", peakKib);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "window_probe_bench: %s\n", error.what());
        return 1;
    }
}
