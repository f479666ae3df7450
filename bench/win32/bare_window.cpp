// The yardstick for the Windows program's start-up and memory under Wine
// (bench/README.md): a Win32 window of the game's client size, fixed as the
// game's is, with a red band where the game has its title; built with
// BARE_WINDOW_WITH_SOUND, the same with the sound readied after its first
// frame, as the game readies it.
//
//     bare_window_bench WIDTH HEIGHT BAND_LEFT BAND_TOP BAND_WIDTH BAND_HEIGHT
#include <windows.h>

#ifdef BARE_WINDOW_WITH_SOUND
#include "mci_cue_player.h"
#endif

#include <cwchar>

namespace {

RECT band{};

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC context = BeginPaint(window, &paint);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(context, &band, red);
        DeleteObject(red);
        SetBkMode(context, TRANSPARENT);
        DrawTextW(context, L"Bare window", -1, &band, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    if (__argc != 7) {
        return 2;
    }
    const auto number = [](int at) {
        return static_cast<LONG>(std::wcstol(__wargv[at], nullptr, 10));
    };
    band = {number(3), number(4), number(3) + number(5), number(4) + number(6)};
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassExW(&windowClass);
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, number(1), number(2)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    HWND window = CreateWindowExW(0, L"BareWindow", L"Bare window", kStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message{};
#ifdef BARE_WINDOW_WITH_SOUND
    marvesto::MciCuePlayer sound({});
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        DispatchMessageW(&message);
    }
    sound.Prepare();
#endif
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
