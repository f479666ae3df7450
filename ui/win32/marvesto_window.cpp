#include "marvesto_window.h"

#include "control_ids.h"
#include "from_integer.h"
#include "program_exit.h"
#include "readable_text.h"
#include "resource_ids.h"
#include "run_time_error.h"
#include "typeface.h"
#include "wide_text.h"
#include "window_keys.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace marvesto {

namespace {

// Fixed in size: no sizing border and no maximise box.
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Siblings that overlap paint only where they lie on top.
constexpr DWORD kChildStyle = WS_CHILD | WS_CLIPSIBLINGS;

COLORREF ToColorRef(Rgb colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

Rgb SystemButtonText() {
    const COLORREF colour = GetSysColor(COLOR_BTNTEXT);
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

HMENU ChildId(int id) {
    return FromInteger<HMENU>(id);
}

std::optional<Key> KeyOf(const MSG& message) {
    switch (message.wParam) {
    case 'D':
        return Key::D;
    case VK_RETURN:
        // The keypad's Enter comes as an extended Return.
        return (HIWORD(message.lParam) & KF_EXTENDED) != 0 ? Key::Enter : Key::Return;
    case VK_SPACE:
        return Key::Space;
    default:
        return std::nullopt;
    }
}

bool Held(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

// Made where it belongs, in its font: under Wine every move and every
// repaint of each of the 61 controls is a round trip to the server.
HWND CreateChild(const wchar_t* kind, const std::string& caption, DWORD style, HWND parent, int id,
                 const PixelRect& place, HFONT font, HINSTANCE instance) {
    HWND child = CreateWindowExW(0, kind, Widened(caption).c_str(), style, place.left, place.top,
                                 place.width, place.height, parent, ChildId(id), instance, nullptr);
    if (child == nullptr) {
        throw RunTimeError("The window cannot create its control " + ControlName(id));
    }
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

} // namespace

MarvestoWindow::MarvestoWindow(HINSTANCE instance) : layout_(MainWindowLayout()) {
    // Common controls 6, as the program's manifest asks, draw the buttons in
    // the system's style.
    const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    background_ = CreateSolidBrush(ToColorRef(layout_.background));
    const std::wstring className = Widened(layout_.name);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &MarvestoWindow::Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(MARVESTO_ICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background_;
    windowClass.lpszClassName = className.c_str();
    if (RegisterClassExW(&windowClass) == 0) {
        throw RunTimeError("The window class " + layout_.name + " cannot be registered");
    }
    if (CreateWindowExW(0, className.c_str(), Widened(layout_.title).c_str(), kWindowStyle,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                        nullptr, instance, this) == nullptr) {
        throw RunTimeError("The window " + layout_.name + " cannot be created");
    }
    dotsPerInch_ = static_cast<int>(GetDpiForWindow(window_));
    SizeWindow();
    BuildControls(instance);
}

MarvestoWindow::~MarvestoWindow() {
    DestroyWindow(window_);
    for (const auto& [spec, font] : fonts_) {
        DeleteObject(font);
    }
    for (const auto& [colour, brush] : brushes_) {
        DeleteObject(brush);
    }
    DeleteObject(background_);
}

void MarvestoWindow::BuildControls(HINSTANCE instance) {
    // Win32 puts a child over those created after it: the labels are created
    // from the top of their stack down, then the case buttons, under them all.
    // The buttons' order is also the order of the dialog keys Tab and
    // Shift+Tab.
    const Rgb buttonText = SystemButtonText();
    std::vector<LabelLayout> labels = LabelLayouts();
    std::reverse(labels.begin(), labels.end());
    for (const LabelLayout& label : labels) {
        const DWORD shown = label.shownAtStart ? WS_VISIBLE : 0;
        const FontSpec font = label.font.value_or(layout_.font);
        // SS_NOTIFY: a label takes the clicks made on it, as Qt's do.
        HWND handle = CreateChild(L"STATIC", label.caption,
                                  kChildStyle | shown | SS_LEFT | SS_NOTIFY | SS_NOPREFIX, window_,
                                  LabelId(label.number), ToPixels(label.place, dotsPerInch_),
                                  Font(font), instance);
        const Control control = Control::Label(label.number);
        controls_.insert_or_assign(
            control, ChildControl{handle, label.place, font,
                                  ToColorRef(label.text.value_or(
                                      ReadableButtonText(buttonText, label.background))),
                                  ToColorRef(label.background)});
        labels_.insert_or_assign(handle, control);
    }
    for (const CaseButtonLayout& button : CaseButtonLayouts()) {
        HWND handle =
            CreateChild(L"BUTTON", button.caption,
                        kChildStyle | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, window_,
                        CommandId(button.number), ToPixels(button.place, dotsPerInch_),
                        Font(button.font), instance);
        controls_.insert_or_assign(Control::Command(button.number),
                                   ChildControl{handle, button.place, button.font, 0, 0});
    }
}

void MarvestoWindow::SizeWindow() {
    const PixelRect client = ToPixels(layout_.clientArea, dotsPerInch_);
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, static_cast<UINT>(dotsPerInch_));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MarvestoWindow::PlaceEverything() {
    SizeWindow();
    std::vector<std::pair<FontSpec, HFONT>> old;
    old.swap(fonts_);
    for (const auto& [control, child] : controls_) {
        const PixelRect place = ToPixels(child.place, dotsPerInch_);
        SetWindowPos(child.handle, nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(child.handle, WM_SETFONT, reinterpret_cast<WPARAM>(Font(child.font)), TRUE);
    }
    for (const auto& [spec, font] : old) {
        DeleteObject(font);
    }
}

HFONT MarvestoWindow::Font(const FontSpec& spec) {
    const auto found = std::find_if(fonts_.begin(), fonts_.end(), [&spec](const auto& font) {
        return font.first.points == spec.points && font.first.bold == spec.bold &&
               font.first.italic == spec.italic;
    });
    if (found != fonts_.end()) {
        return found->second;
    }
    HFONT font = CreateGameFont(spec, dotsPerInch_);
    if (font == nullptr) {
        throw RunTimeError("The window cannot create its fonts");
    }
    fonts_.emplace_back(spec, font);
    return font;
}

LRESULT CALLBACK MarvestoWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MarvestoWindow*>(FromInteger<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = FromInteger<MarvestoWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->Handle(message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MarvestoWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        if (labels_.contains(FromInteger<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(LabelColours(
                FromInteger<HDC>(static_cast<INT_PTR>(wParam)), FromInteger<HWND>(lParam)));
        }
        break;
    case WM_ACTIVATE:
        // As a dialog does: the control that had the focus when the window
        // was left gets it back, where DefWindowProc would give it to the
        // window itself.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            focusOnReturn_ = IsChild(window_, focus) != FALSE ? focus : nullptr;
        } else {
            SetFocus(focusOnReturn_ != nullptr && IsWindowVisible(focusOnReturn_) != FALSE
                         ? focusOnReturn_
                         : window_);
            if (objects_ != nullptr) {
                objects_->Activated();
            }
        }
        return 0;
    case WM_GETOBJECT:
        if (objects_ != nullptr) {
            if (const std::optional<LRESULT> answer = objects_->ObjectAsked(wParam, lParam)) {
                return *answer;
            }
        }
        break;
    case WM_CLOSE:
        // The window stays until the program ends, which is at once.
        if (driver_ != nullptr) {
            driver_->CloseRequested();
        }
        return 0;
    case kPassFocusOn:
        PassFocusOn();
        return 0;
    case WM_DPICHANGED: {
        dotsPerInch_ = HIWORD(wParam);
        const auto* suggested = FromInteger<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        PlaceEverything();
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MarvestoWindow::OnCommand(int id, int code) {
    if (driver_ == nullptr) {
        return;
    }
    // A double click on a label is two clicks, as on a push button.
    if (id > kLabelIdBase && (code == STN_CLICKED || code == STN_DBLCLK)) {
        ClickLabel(id - kLabelIdBase);
    } else if (id > kCommandIdBase && id < kLabelIdBase && code == BN_CLICKED) {
        driver_->CaseClicked(id - kCommandIdBase);
    }
}

void MarvestoWindow::ClickLabel(int number) {
    if (number == StatusLabel::kDeal) {
        driver_->DealClicked();
    } else if (number == StatusLabel::kEnd) {
        driver_->EndClicked();
    }
}

HBRUSH MarvestoWindow::LabelColours(HDC context, HWND label) {
    const ChildControl& child = Find(labels_.at(label));
    SetTextColor(context, child.text);
    SetBkColor(context, child.background);
    SetBkMode(context, OPAQUE);
    auto brush = brushes_.find(child.background);
    if (brush == brushes_.end()) {
        brush = brushes_.emplace(child.background, CreateSolidBrush(child.background)).first;
    }
    return brush->second;
}

bool MarvestoWindow::TakeKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || driver_ == nullptr ||
        (message.hwnd != window_ && IsChild(window_, message.hwnd) == FALSE)) {
        return false;
    }
    const std::optional<Key> key = KeyOf(message);
    if (!key || Held(VK_CONTROL) || Held(VK_MENU) || Held(VK_LWIN) || Held(VK_RWIN)) {
        return false;
    }
    // Space presses the case button that has the focus, as on any push button.
    if (*key == Key::Space && message.hwnd != window_) {
        return false;
    }
    const auto pressed = std::ranges::find_if(PressableLabels(), [&key](const LabelKeys& label) {
        return std::ranges::find(label.keys, *key) != label.keys.end();
    });
    if (pressed == PressableLabels().end()) {
        return false;
    }
    if ((HIWORD(message.lParam) & KF_REPEAT) == 0) {
        ClickLabel(pressed->label);
    }
    return true;
}

MarvestoWindow::ChildControl& MarvestoWindow::Find(Control control) {
    const auto found = controls_.find(control);
    if (found == controls_.end()) {
        throw RunTimeError("The window has no control " + control.Name());
    }
    return found->second;
}

const MarvestoWindow::ChildControl& MarvestoWindow::Find(Control control) const {
    return const_cast<MarvestoWindow*>(this)->Find(control);
}

void MarvestoWindow::Show(Control label) {
    ShowWindow(Find(label).handle, SW_SHOWNA);
}

void MarvestoWindow::Hide(Control control) {
    HWND handle = Find(control).handle;
    // Passed on at once, the focus would hop from case to case as the final
    // screen hides them one after another, a flood of focus changes a screen
    // reader falls behind. The window holds it until it takes messages again:
    // a posted message comes before any key.
    if (GetFocus() == handle) {
        SetFocus(window_);
        focusLeft_ = handle;
        PostMessageW(window_, kPassFocusOn, 0, 0);
    }
    ShowWindow(handle, SW_HIDE);
}

void MarvestoWindow::PassFocusOn() {
    HWND from = std::exchange(focusLeft_, nullptr);
    if (from == nullptr || GetFocus() != window_) {
        return;
    }
    // The next case shown after the one hidden, or the window when none is.
    HWND next = GetNextDlgTabItem(window_, from, FALSE);
    if (next != nullptr && next != from && IsWindowVisible(next) != FALSE) {
        SetFocus(next);
    }
}

void MarvestoWindow::SetCaption(Control label, const std::string& text) {
    HWND handle = Find(label).handle;
    if (!labels_.contains(handle)) {
        throw RunTimeError(label.Name() + " has no caption to set");
    }
    SetWindowTextW(handle, Widened(text).c_str());
}

bool MarvestoWindow::IsShown(Control control) const {
    return (GetWindowLongW(Find(control).handle, GWL_STYLE) & WS_VISIBLE) != 0;
}

void MarvestoWindow::ShowAtStart(int showCommand) {
    focusOnReturn_ = Find(Control::Command(1)).handle;
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(focusOnReturn_);
}

int MarvestoWindow::RunMessageLoop(const std::function<void()>& firstFrameShown) {
    MSG message{};
    bool frameShown = false;
    for (;;) {
        if (!frameShown && PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) == FALSE) {
            frameShown = true;
            firstFrameShown();
        }
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            return static_cast<int>(message.wParam);
        }
        Take(message);
    }
}

void MarvestoWindow::WaitProcessingMessages(std::chrono::milliseconds duration) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + duration;
    MSG message{};
    for (;;) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (message.message == WM_QUIT) {
                // Put back for the program's loop, which ends on it.
                PostQuitMessage(static_cast<int>(message.wParam));
                throw ProgramClosed();
            }
            Take(message);
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0) {
            return;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left.count()), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

void MarvestoWindow::Take(MSG& message) {
    if (TakeKey(message) || IsDialogMessageW(window_, &message) != FALSE) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace marvesto
