// The game's one window, MARVESTO, in Win32: 26 push buttons and 35 static
// labels at the layout's places, converted at the monitor's resolution. The
// game changes it only through BoardView; its clicks, keys and close request
// go to the game driver. Standard controls carry their captions as window
// text, which Windows' screen readers read.
#pragma once

#include "board_view.h"
#include "control.h"
#include "game_driver.h"
#include "visible_controls.h"
#include "window_layout.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace marvesto {

// What the window hands on to the objects it shows screen readers besides
// its controls' own. Called from the window's own procedure: a subclass would
// cost a lookup of its data, a round trip to the server under Wine, for every
// message the window takes, hundreds before the first frame.
class AccessibleObjects {
public:
    virtual ~AccessibleObjects() = default;
    // A screen reader asks for an object of the window (WM_GETOBJECT): the
    // answer, or none when it is none of these.
    virtual std::optional<LRESULT> ObjectAsked(WPARAM flags, LPARAM object) = 0;
    // The window has become active and given the focus to its control.
    virtual void Activated() = 0;
};

class MarvestoWindow : public BoardView, public VisibleControls {
public:
    // Builds every control in its state at start; the window stays hidden.
    explicit MarvestoWindow(HINSTANCE instance);
    ~MarvestoWindow() override;
    MarvestoWindow(const MarvestoWindow&) = delete;
    MarvestoWindow& operator=(const MarvestoWindow&) = delete;

    void Show(Control label) override;
    void Hide(Control control) override;
    void SetCaption(Control label, const std::string& text) override;
    bool IsShown(Control control) const override;

    HWND Handle() const { return window_; }
    // Where the window's events go from now on.
    void RouteTo(GameDriver& driver) { driver_ = &driver; }
    // Whose objects screen readers are given from now on; null for none.
    void PresentObjects(AccessibleObjects* objects) { objects_ = objects; }
    // Shows the window with the focus on CASE 1.
    void ShowAtStart(int showCommand);
    // Takes the window's messages until the program ends; gives its status.
    // Once the window has handled what showing it brought and waits for
    // more, its first frame is on screen (Wine, too, draws it then), and the
    // loop says so.
    int RunMessageLoop(const std::function<void()>& firstFrameShown);
    // Takes the window's messages for the given time while a game call waits
    // for a sound cue, sleeping while there are none; throws ProgramClosed as
    // soon as the program has been told to end. Clicks and keys reach the
    // controls shown when they are made; the game driver holds the calls they
    // ask for until the running call has returned.
    void WaitProcessingMessages(std::chrono::milliseconds duration);

private:
    struct ChildControl {
        HWND handle;
        TwipRect place;
        FontSpec font;
        // Labels only.
        COLORREF text;
        COLORREF background;
    };

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // At the window's resolution, known once it is created.
    void BuildControls(HINSTANCE instance);
    void SizeWindow();
    // Again at a new resolution.
    void PlaceEverything();
    // Sent to itself: the focus of a hidden case passes on.
    static constexpr UINT kPassFocusOn = WM_APP;

    void OnCommand(int id, int code);
    void PassFocusOn();
    void ClickLabel(int number);
    HBRUSH LabelColours(HDC context, HWND label);
    // One message, as the loop takes it: the window's own keys, then the
    // dialog keys, then the window procedures.
    void Take(MSG& message);
    // A key the window answers itself; false leaves it to the dialog keys.
    bool TakeKey(const MSG& message);
    HFONT Font(const FontSpec& spec);
    ChildControl& Find(Control control);
    const ChildControl& Find(Control control) const;

    WindowLayout layout_;
    HWND window_ = nullptr;
    GameDriver* driver_ = nullptr;
    AccessibleObjects* objects_ = nullptr;
    HWND focusOnReturn_ = nullptr;
    HWND focusLeft_ = nullptr;
    int dotsPerInch_ = kLayoutDotsPerInch;
    HBRUSH background_ = nullptr;
    std::map<Control, ChildControl> controls_;
    std::map<HWND, Control> labels_;
    std::map<COLORREF, HBRUSH> brushes_;
    std::vector<std::pair<FontSpec, HFONT>> fonts_;
};

} // namespace marvesto
