// Lists the game's window and its controls as Windows shows them to assistive
// technology, for the tests to read from outside: one JSON object a line.
//
//   {"window": "MARVESTO", "title": ..., "focus": NAME, "dpi": N, "process": N, "left": ...}
//       the client area on the screen, the control with the keyboard focus and
//       the game's Windows process id
//   {"name": "Command1", "kind": "Button", "text": "CASE 1", "shown": true, "left": ...}
//       each control, by the name its id gives, placed in the client area
//   {"box": TITLE, "texts": [...], "buttons": [...], "press": [X, Y]}
//       each message box shown under the game's title, and where on the
//       screen its first button is
//
// Exits with 1 when there is neither the game's window nor a message box.
#include "control_ids.h"

#include <windows.h>

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

} // namespace

int wmain() {
    HWND game = FindWindowW(L"MARVESTO", nullptr);
    if (game != nullptr) {
        ListGame(game);
    }
    bool boxes = false;
    EnumWindows(ListBox, reinterpret_cast<LPARAM>(&boxes));
    return game != nullptr || boxes ? 0 : 1;
}
