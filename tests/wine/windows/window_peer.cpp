// A peer program with the windows the window page is tried against: Latin, Chinese and
// duplicate titles, a disabled window, one it hides itself, and one whose thread blocks
// on request. With "count N" it opens N plain windows instead, for the benchmark, with
// "retitle" one window that keeps rewriting its own title, and with "slowtitle" one
// window that is slow to take a new title.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "windows/window_peer_protocol.h"

namespace {

// The peer never outlives a forgotten test run by much.
constexpr UINT kLifetimeMs = 10 * 60 * 1000;

constexpr UINT_PTR kRetitleTimer = 7;

HWND slowTitleWindow = nullptr;

// Whatever the title holds now, the program writes its own over it.
void retitle(HWND window) {
    static int count = 0;
    const std::wstring title =
        L"(" + std::to_wstring(++count) + L") " + window_peer::kRetitlingName;
    SetWindowTextW(window, title.c_str());
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_TIMER && wParam == kRetitleTimer) {
        retitle(window);
        return 0;
    }
    if (message == WM_SETTEXT && window == slowTitleWindow) Sleep(window_peer::kSlowTitleMs);
    if (message == window_peer::kBlockMessage) {
        HANDLE release = CreateEventW(nullptr, TRUE, FALSE, window_peer::kReleaseEvent);
        WaitForSingleObject(release, 60000);
        CloseHandle(release);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND openWindow(const std::wstring& title, int slot, bool show) {
    HWND window = CreateWindowExW(0, window_peer::kClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                                  40 + (slot % 10) * 30, 40 + (slot % 10) * 30, 320, 140, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window && show) ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

void runLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The blocking window lives on a thread of its own, so blocking it leaves the peer's
// other windows answering.
DWORD WINAPI blockingThread(void*) {
    if (!openWindow(window_peer::kHungTitle, 9, true)) return 1;
    runLoop();
    return 0;
}

bool openWindowSet() {
    using namespace window_peer;
    HWND disabled = openWindow(kDisabledTitle, 0, true);
    if (!disabled || !openWindow(kSelfHiddenTitle, 1, false)) return false;
    EnableWindow(disabled, FALSE);
    for (int slot = 2; slot <= 3; ++slot) {
        if (!openWindow(kDuplicateTitle, slot, true)) return false;
    }
    if (!openWindow(kChineseTitle, 4, true) || !openWindow(kLatinTitle, 5, true)) return false;
    HANDLE thread = CreateThread(nullptr, 0, blockingThread, nullptr, 0, nullptr);
    if (!thread) return false;
    CloseHandle(thread);
    return true;
}

bool openRetitlingWindow() {
    HWND window = openWindow(window_peer::kRetitlingName, 6, true);
    if (!window) return false;
    retitle(window);
    return SetTimer(window, kRetitleTimer, window_peer::kRetitleMs, nullptr) != 0;
}

bool openSlowTitleWindow() {
    slowTitleWindow = openWindow(window_peer::kSlowTitleName, 7, true);
    return slowTitleWindow != nullptr;
}

bool openBenchWindows(int count) {
    for (int i = 1; i <= count; ++i) {
        if (!openWindow(window_peer::benchTitle(i), i, true)) return false;
    }
    return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = window_peer::kClass;
    if (!RegisterClassW(&windowClass)) return 2;

    std::wstring args = commandLine ? commandLine : L"";
    bool opened = args == L"retitle"              ? openRetitlingWindow()
                  : args == L"slowtitle"          ? openSlowTitleWindow()
                  : args.rfind(L"count ", 0) == 0 ? openBenchWindows(_wtoi(args.c_str() + 6))
                                                  : openWindowSet();
    if (!opened) return 3;
    SetTimer(nullptr, 0, kLifetimeMs, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // The lifetime timer has no window, so it arrives here rather than in windowProc.
        if (msg.message == WM_TIMER && msg.hwnd == nullptr) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
