// How Windows' screen readers meet the window beyond the window text of its
// standard controls, which they read as they are: DEAL and the end label,
// static text to the system, are push buttons that say how to press them from
// the keyboard; the board's news is raised as alerts, each once, as it
// happens. Nothing is drawn for either: the window looks the same with a
// screen reader or without.
#pragma once

#include "annotated_accessible.h"
#include "board_news.h"
#include "marvesto_window.h"

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace marvesto {

class WindowAccessibility : public NewsListener, public AccessibleObjects {
public:
    // Given the window with all its controls, before it is first shown.
    explicit WindowAccessibility(MarvestoWindow& window);
    ~WindowAccessibility() override;
    WindowAccessibility(const WindowAccessibility&) = delete;
    WindowAccessibility& operator=(const WindowAccessibility&) = delete;

    // News that comes before the window is first active waits for it: until
    // then no screen reader reads the window.
    void Tell(const News& news) override;
    std::optional<LRESULT> ObjectAsked(WPARAM flags, LPARAM object) override;
    void Activated() override;

private:
    static LRESULT CALLBACK LabelProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR subclass, DWORD_PTR self);
    void Alert(std::size_t news) const;

    MarvestoWindow& window_;
    // DEAL and the end label, each with how to press it.
    std::map<HWND, std::wstring> pressable_;
    bool apartment_ = false;
    bool active_ = false;
    // Each piece of news is an object of its own, kept to the end: a screen
    // reader asks for it some time after its alert.
    std::vector<ComPointer<IAccessible>> told_;
};

} // namespace marvesto
