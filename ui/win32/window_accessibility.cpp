#include "window_accessibility.h"

#include "control_ids.h"
#include "run_time_error.h"
#include "wide_text.h"
#include "window_keys.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>

namespace marvesto {

namespace {

// Each piece of news is raised as EVENT_SYSTEM_ALERT for an object of the
// window's own, numbered from here on, whose role is an alert, whose name is
// the caption it tells and whose description says how to act on it. NVDA
// speaks such an alert as it comes, name, role and description, and Narrator
// reads system alerts too; both ask for the object through WM_GETOBJECT, as
// Wine's oleacc lets a test do from outside. A number of its own for each
// piece keeps a screen reader from taking it for one it has read before.
// The alternatives say less or cannot be built and watched here: a live
// region (EVENT_OBJECT_LIVEREGIONCHANGED) needs Windows' annotation of its
// politeness, which Wine lacks, and NVDA reads only its name, not how to take
// the offer; a UI Automation notification needs a provider of the program's
// own and Windows 10 1709, and Wine 8 has no UiaRaiseNotificationEvent.
constexpr LONG kFirstNewsObject = 1;

// DEAL and the end label have one subclass each.
constexpr UINT_PTR kSubclass = 1;

// As the Linux front end names the keys, so that a player hears the same
// words on either; in the order of Key.
std::string KeyName(Key key) {
    constexpr std::array<const char*, 4> kNames{"D", "Return", "Enter", "Space"};
    return kNames.at(static_cast<std::size_t>(key));
}

std::wstring HowToPress(const LabelKeys& label) {
    std::vector<std::string> names;
    std::transform(label.keys.begin(), label.keys.end(), std::back_inserter(names), KeyName);
    return Widened(PressHint(Control::Label(label.label), names));
}

HWND LabelWindow(HWND window, Control label) {
    HWND handle = GetDlgItem(window, LabelId(label.Number()));
    if (handle == nullptr) {
        throw RunTimeError("The window has no control " + label.Name());
    }
    return handle;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The pointer given to SetWindowSubclass comes back as an integer.
template <typename Target>
Target* FromSubclassData(DWORD_PTR data) {
    return reinterpret_cast<Target*>(data); // NOLINT(performance-no-int-to-ptr)
}

} // namespace

WindowAccessibility::WindowAccessibility(MarvestoWindow& window) : window_(window) {
    // The objects handed out through WM_GETOBJECT reach a screen reader
    // through COM.
    apartment_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    const auto self = reinterpret_cast<DWORD_PTR>(this);
    for (const LabelKeys& label : PressableLabels()) {
        HWND handle = LabelWindow(window.Handle(), Control::Label(label.label));
        pressable_.emplace(handle, HowToPress(label));
        if (SetWindowSubclass(handle, &LabelProcedure, kSubclass, self) == FALSE) {
            throw RunTimeError("The window cannot present its labels to screen readers");
        }
    }
    window.PresentObjects(this);
}

WindowAccessibility::~WindowAccessibility() {
    window_.PresentObjects(nullptr);
    for (const auto& [label, hint] : pressable_) {
        RemoveWindowSubclass(label, &LabelProcedure, kSubclass);
    }
    told_.clear();
    if (apartment_) {
        CoUninitialize();
    }
}

void WindowAccessibility::Tell(const News& news) {
    HWND label = LabelWindow(window_.Handle(), news.label);
    Annotation annotation{ROLE_SYSTEM_ALERT, WindowText(label), std::nullopt, false};
    if (news.action) {
        annotation.description = pressable_.at(LabelWindow(window_.Handle(), *news.action));
    }
    ComPointer<IAccessible> alert = AnnotatedControl(label, std::move(annotation));
    // Without the system's object for the label there is nothing to tell.
    if (!alert) {
        return;
    }
    told_.push_back(std::move(alert));
    if (active_) {
        Alert(told_.size() - 1);
    }
}

void WindowAccessibility::Alert(std::size_t news) const {
    NotifyWinEvent(EVENT_SYSTEM_ALERT, window_.Handle(), kFirstNewsObject + static_cast<LONG>(news),
                   CHILDID_SELF);
}

std::optional<LRESULT> WindowAccessibility::ObjectAsked(WPARAM flags, LPARAM object) {
    const auto number = static_cast<LONG>(object);
    if (number < kFirstNewsObject ||
        static_cast<std::size_t>(number - kFirstNewsObject) >= told_.size()) {
        return std::nullopt;
    }
    return LresultFromObject(__uuidof(IAccessible), flags,
                             told_.at(static_cast<std::size_t>(number - kFirstNewsObject)).get());
}

void WindowAccessibility::Activated() {
    if (active_) {
        return;
    }
    active_ = true;
    for (std::size_t news = 0; news < told_.size(); ++news) {
        Alert(news);
    }
}

LRESULT CALLBACK WindowAccessibility::LabelProcedure(HWND label, UINT message, WPARAM wParam,
                                                     LPARAM lParam, UINT_PTR /*subclass*/,
                                                     DWORD_PTR self) {
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        const auto& accessibility = *FromSubclassData<const WindowAccessibility>(self);
        const ComPointer<IAccessible> button =
            AnnotatedControl(label, {ROLE_SYSTEM_PUSHBUTTON, std::nullopt,
                                     accessibility.pressable_.at(label), true});
        if (button) {
            return LresultFromObject(__uuidof(IAccessible), wParam, button.get());
        }
    }
    return DefSubclassProc(label, message, wParam, lParam);
}

} // namespace marvesto
