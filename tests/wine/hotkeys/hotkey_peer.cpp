// Another program that holds one system-wide hotkey: registers the combination given on
// its command line (modifier bits, then virtual-key code) for its own window, then shows
// that window with a title saying whether it got it, until it is closed.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

LRESULT CALLBACK peerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    unsigned modifiers = 0, keyCode = 0;
    if (std::swscanf(commandLine, L"%u %u", &modifiers, &keyCode) != 2) return 2;
    WNDCLASSW wc{};
    wc.lpfnWndProc = peerProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"VeilorHotKeyPeer";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 80,
                                  nullptr, nullptr, instance, nullptr);
    bool held = RegisterHotKey(window, 1, modifiers, keyCode) != FALSE;
    SetWindowTextW(window, held ? L"hotkey peer: held" : L"hotkey peer: refused");
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    UnregisterHotKey(window, 1);
    return held ? 0 : 1;
}
