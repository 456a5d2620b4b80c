// Holds one hotkey for as long as it runs, as another program on the user's desktop
// would, and counts the presses that reach it.
#include <windows.h>

#include <cwchar>

#include "bosskey/hotkey_holder_protocol.h"

namespace {

constexpr UINT kLifetimeMs = 10 * 60 * 1000;
LRESULT gPresses = 0;

LRESULT CALLBACK holderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_HOTKEY:
            ++gPresses;
            return 0;
        case hotkey_holder::kPressCount:
            return gPresses;
        case WM_TIMER:
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    wchar_t* rest = nullptr;
    const UINT modifiers = static_cast<UINT>(std::wcstoul(commandLine, &rest, 10));
    const UINT key = static_cast<UINT>(std::wcstoul(rest, nullptr, 10));

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = holderProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = hotkey_holder::kClass;
    if (!RegisterClassW(&windowClass)) return 2;
    // Created hidden and shown only once the hotkey is ours, so a driver that sees the
    // window knows the combination is taken.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, hotkey_holder::kClass, L"",
                                  WS_POPUP, 1016, 760, 4, 4, nullptr, nullptr, instance, nullptr);
    if (!window) return 2;
    if (!RegisterHotKey(window, 1, modifiers, key)) return static_cast<int>(hotkey_holder::kTaken);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetTimer(window, 1, kLifetimeMs, nullptr);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    UnregisterHotKey(window, 1);
    return 0;
}
