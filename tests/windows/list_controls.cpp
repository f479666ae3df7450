// Reads the game's window from outside as Windows shows it to assistive
// technology, for the tests: one JSON object a line.
//
// marvesto_controls
//   {"window": "MARVESTO", "title": ..., "focus": NAME, "dpi": N, "process": N, "left": ...}
//       the client area on the screen, the control with the keyboard focus and
//       the game's Windows process id
//   {"name": "Command1", "kind": "Button", "text": "CASE 1", "shown": true, "left": ...}
//       each control, by the name its id gives, placed in the client area
//   {"box": TITLE, "texts": [...], "buttons": [...], "press": [X, Y]}
//       each message box shown under the game's title, and where on the
//       screen its first button is
//   Exits with 1 when there is neither the game's window nor a message box.
//
// marvesto_controls accessible NAME [press]
//   {"name": NAME, "text": ..., "role": "push button", "description": ..., "action": "Press"}
//       the control's accessible object as a screen reader asks for it, a
//       text it does not give null; with press, its default action is done,
//       as a screen reader's user does it
//
// marvesto_controls alerts
//   {"recording": true}
//       once the alerts of every process are watched; then, until the game's
//       process ends, for each alert its window raises as it comes:
//   {"alert": NAME, "role": "alert", "description": ..., "action": ...}
#include "control_ids.h"

#include <windows.h>

#include <oleacc.h>

#include <deque>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    std::string narrow(text.size() * 4, '\0');
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                            static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(length));
    return narrow;
}

std::string Quoted(const std::wstring& text) {
    std::string quoted = "\"";
    for (const char c : Utf8(text)) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            quoted += "\\u00";
            quoted += kHex[(c >> 4) & 0xF];
            quoted += kHex[c & 0xF];
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

std::wstring Text(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::string Box(const RECT& box) {
    return "\"left\": " + std::to_string(box.left) + ", \"top\": " + std::to_string(box.top) +
           ", \"width\": " + std::to_string(box.right - box.left) +
           ", \"height\": " + std::to_string(box.bottom - box.top);
}

std::string List(const std::vector<std::wstring>& texts) {
    std::string list = "[";
    for (const std::wstring& text : texts) {
        list += (list.size() > 1 ? ", " : "") + Quoted(text);
    }
    return list + "]";
}

std::string NameOf(HWND control, HWND game) {
    return control == game ? "MARVESTO" : marvesto::ControlName(GetDlgCtrlID(control));
}

void Print(std::string line) {
    line += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
              &written, nullptr);
}

void ListGame(HWND game) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    DWORD process = 0;
    GetGUIThreadInfo(GetWindowThreadProcessId(game, &process), &thread);
    RECT client{};
    GetClientRect(game, &client);
    MapWindowPoints(game, nullptr, reinterpret_cast<POINT*>(&client), 2);
    Print("{\"window\": " + Quoted(ClassOf(game)) + ", \"title\": " + Quoted(Text(game)) +
          ", \"shown\": " + (IsWindowVisible(game) != FALSE ? "true" : "false") +
          ", \"focus\": \"" + NameOf(thread.hwndFocus, game) +
          "\", \"dpi\": " + std::to_string(GetDpiForWindow(game)) +
          ", \"process\": " + std::to_string(process) + ", " + Box(client) + "}");
    for (HWND control = GetWindow(game, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, game, reinterpret_cast<POINT*>(&place), 2);
        const bool shown = (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
        Print("{\"name\": \"" + NameOf(control, game) +
              "\", \"kind\": " + Quoted(ClassOf(control)) + ", \"text\": " + Quoted(Text(control)) +
              ", \"shown\": " + (shown ? "true" : "false") + ", " + Box(place) + "}");
    }
}

BOOL CALLBACK ListBox(HWND window, LPARAM found) {
    if (ClassOf(window) != L"#32770" || IsWindowVisible(window) == FALSE ||
        Text(window) != L"Marvesto?") {
        return TRUE;
    }
    std::vector<std::wstring> texts;
    std::vector<std::wstring> buttons;
    RECT press{};
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring text = Text(child);
        if (text.empty()) {
            continue;
        }
        const bool button = ClassOf(child) == L"Button";
        if (button && buttons.empty()) {
            GetWindowRect(child, &press);
        }
        (button ? buttons : texts).push_back(text);
    }
    Print("{\"box\": " + Quoted(Text(window)) + ", \"texts\": " + List(texts) + ", \"buttons\": " +
          List(buttons) + ", \"press\": [" + std::to_string((press.left + press.right) / 2) + ", " +
          std::to_string((press.top + press.bottom) / 2) + "]}");
    *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

std::string QuotedOrNull(BSTR text, HRESULT got) {
    std::string quoted = got == S_OK && text != nullptr ? Quoted(text) : "null";
    SysFreeString(text);
    return quoted;
}

// Its role, description and default action, as JSON members.
std::string Accessible(IAccessible& object, VARIANT child) {
    BSTR description = nullptr;
    BSTR action = nullptr;
    const HRESULT gotDescription = object.get_accDescription(child, &description);
    const HRESULT gotAction = object.get_accDefaultAction(child, &action);
    VARIANT role{};
    std::wstring roleText;
    if (object.get_accRole(child, &role) == S_OK && role.vt == VT_I4) {
        roleText.resize(GetRoleTextW(static_cast<DWORD>(role.lVal), nullptr, 0) + 1);
        roleText.resize(GetRoleTextW(static_cast<DWORD>(role.lVal), roleText.data(),
                                     static_cast<UINT>(roleText.size())));
    }
    VariantClear(&role);
    return "\"role\": " + Quoted(roleText) +
           ", \"description\": " + QuotedOrNull(description, gotDescription) +
           ", \"action\": " + QuotedOrNull(action, gotAction);
}

std::string AccessibleName(IAccessible& object, VARIANT child) {
    BSTR name = nullptr;
    const HRESULT got = object.get_accName(child, &name);
    return QuotedOrNull(name, got);
}

VARIANT Self() {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

int ShowAccessible(HWND game, const std::string& name, bool press) {
    HWND control = GetWindow(game, GW_CHILD);
    while (control != nullptr && NameOf(control, game) != name) {
        control = GetWindow(control, GW_HWNDNEXT);
    }
    IAccessible* object = nullptr;
    if (control == nullptr || FAILED(AccessibleObjectFromWindow(
                                  control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                  reinterpret_cast<void**>(&object)))) {
        return 1;
    }
    Print("{\"name\": \"" + name + "\", \"text\": " + AccessibleName(*object, Self()) + ", " +
          Accessible(*object, Self()) + "}");
    const bool done = !press || SUCCEEDED(object->accDoDefaultAction(Self()));
    object->Release();
    return done ? 0 : 1;
}

struct Alert {
    HWND window;
    LONG object;
    LONG child;
};

// Filled as the system calls back, read between messages: reading an alert's
// object calls the game, and the system may call back again meanwhile.
std::deque<Alert> alerts;

void CALLBACK AlertRaised(HWINEVENTHOOK /*hook*/, DWORD /*event*/, HWND window, LONG object,
                          LONG child, DWORD /*thread*/, DWORD /*time*/) {
    if (window != nullptr && ClassOf(window) == L"MARVESTO") {
        alerts.push_back({window, object, child});
    }
}

void ReadAlerts() {
    while (!alerts.empty()) {
        const Alert alert = alerts.front();
        alerts.pop_front();
        IAccessible* object = nullptr;
        VARIANT child{};
        if (FAILED(AccessibleObjectFromEvent(alert.window, static_cast<DWORD>(alert.object),
                                             static_cast<DWORD>(alert.child), &object, &child))) {
            Print("{\"alert\": null}");
            continue;
        }
        Print("{\"alert\": " + AccessibleName(*object, child) + ", " + Accessible(*object, child) +
              "}");
        object->Release();
        VariantClear(&child);
    }
}

int RecordAlerts() {
    SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, &AlertRaised, 0, 0,
                    WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    Print("{\"recording\": true}");
    // Wakes the loop to look for the game's window until it is there.
    SetTimer(nullptr, 0, 50, nullptr);
    HANDLE game = nullptr;
    while (MsgWaitForMultipleObjects(game != nullptr ? 1 : 0, &game, FALSE, INFINITE,
                                     QS_ALLINPUT) != WAIT_OBJECT_0 ||
           game == nullptr) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            DispatchMessageW(&message);
        }
        ReadAlerts();
        HWND window = FindWindowW(L"MARVESTO", nullptr);
        DWORD process = 0;
        if (game == nullptr && window != nullptr && GetWindowThreadProcessId(window, &process)) {
            game = OpenProcess(SYNCHRONIZE, FALSE, process);
        }
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    const std::vector<std::wstring> arguments(argv + 1, argv + argc);
    if (!arguments.empty()) {
        // Screen readers' calls reach the game through COM.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    }
    if (arguments.size() == 1 && arguments[0] == L"alerts") {
        return RecordAlerts();
    }
    HWND game = FindWindowW(L"MARVESTO", nullptr);
    if (arguments.size() >= 2 && arguments[0] == L"accessible") {
        return game != nullptr ? ShowAccessible(game, Utf8(arguments[1]),
                                                arguments.size() == 3 && arguments[2] == L"press")
                               : 1;
    }
    if (game != nullptr) {
        ListGame(game);
    }
    bool boxes = false;
    EnumWindows(ListBox, reinterpret_cast<LPARAM>(&boxes));
    return game != nullptr || boxes ? 0 : 1;
}
