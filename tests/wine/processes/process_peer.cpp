// A peer process for the process page: it idles in a message loop (so a driver can wait
// until it is up) until it is ended, or for ten minutes at most. Given a title on its
// command line, it also shows a window with that title, for the one-key hide to find.
#include <windows.h>

#include <string>

namespace {

constexpr UINT kLifetimeMs = 10 * 60 * 1000;
constexpr wchar_t kClass[] = L"VeilorProcessPeer";

void openWindow(const wchar_t* title) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, kClass, title, WS_OVERLAPPEDWINDOW, 60, 60, 240, 100, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    if (commandLine && *commandLine) openWindow(commandLine);
    SetTimer(nullptr, 0, kLifetimeMs, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr) break;
        DispatchMessageW(&msg);
    }
    return 0;
}
