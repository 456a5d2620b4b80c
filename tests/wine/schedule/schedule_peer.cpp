// A program for the schedule tests to be started by Veilor. Every start appends one line to
// "<its own path>.ran": how it was asked to show itself and its command line. Started with
// arguments (as the shutdown command is) it only records; without, it opens a window titled
// "Veilor schedule peer" shown as it was asked, and stays until closed or for a minute.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

void record() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    GetStartupInfoW(&si);
    const int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
    // Its console window, if it has one.
    HWND window = GetConsoleWindow();
    const wchar_t* console = !window ? L"none" : IsWindowVisible(window) ? L"visible" : L"hidden";
    std::wstring line = L"show=" + std::to_wstring(show) + L" console=" + console + L" " +
                        GetCommandLineW() + L"\r\n";
    HANDLE f = CreateFileW((std::wstring(self) + L".ran").c_str(), FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, bytes.data(), n, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(n - 1), &written, nullptr);
    CloseHandle(f);
}

#ifndef VEILOR_CONSOLE_PEER
bool hasArguments() {
    int argc = 0;
    LocalFree(CommandLineToArgvW(GetCommandLineW(), &argc));
    return argc > 1;
}
#endif

}  // namespace

#ifdef VEILOR_CONSOLE_PEER
// The console build stands in for shutdown.exe: it shares the console of cmd.exe, whose
// window is hidden only when cmd.exe was started hidden.
int wmain() {
    record();
    return 0;
}
#else
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    record();
    if (hasArguments()) return 0;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"VeilorSchedulePeer";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(wc.lpszClassName, L"Veilor schedule peer", WS_OVERLAPPEDWINDOW, 100,
                              100, 300, 200, nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, show);
    SetTimer(hwnd, 1, 60000, nullptr);
    MSG msg;
    while (IsWindow(hwnd) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER) break;
        DispatchMessageW(&msg);
    }
    return 0;
}
#endif
