// A control as Windows shows it to assistive technology: the system's own
// accessible object for the control's window, with what its class and window
// text cannot say laid over it. Windows' dynamic annotation (IAccPropServices)
// does the same from outside, but Wine implements none of it, so the tests
// could never see it; an object of the program's own, handed out through
// WM_GETOBJECT, behaves alike on both.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <optional>
#include <string>

namespace marvesto {

// Interfaces are named by __uuidof, never by IID_IAccessible: oleacc.dll
// exports that as data, which mingw-w64's import library links as the address
// of a call stub.
struct ReleaseComObject {
    void operator()(IUnknown* object) const { object->Release(); }
};

template <typename Interface>
using ComPointer = std::unique_ptr<Interface, ReleaseComObject>;

struct Annotation {
    LONG role = ROLE_SYSTEM_STATICTEXT;
    // Without one, the control's own: its window text as it is now.
    std::optional<std::wstring> name;
    std::optional<std::wstring> description;
    // Pressed by assistive technology, the control is clicked.
    bool pressable = false;
};

// Null when the system gives no accessible object for the control.
ComPointer<IAccessible> AnnotatedControl(HWND control, Annotation annotation);

} // namespace marvesto
