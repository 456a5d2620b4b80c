// Shows both restore widgets where they first appear, away from the edge, for a person to
// look at (import -window root). Not a test: it checks nothing.
// Usage (under Wine): widget_shots.exe [seconds]; default 10.
#include <windows.h>

#include <cwchar>

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_desktop.h"
#include "ui/win32/win32_forms.h"
#include "windows/restore_widget.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR args, int) {
    int seconds = args && *args ? static_cast<int>(std::wcstol(args, nullptr, 10)) : 10;
    ui::win32::Win32Forms views;
    platform::win32::Win32Desktop desktop;
    platform::win32::Win32Clock clock;
    windows::RestoreWidget oneKey{views, desktop, clock, windows::oneKeyLook()};
    windows::RestoreWidget reWin{views, desktop, clock, windows::restoreWinLook()};
    oneKey.show();
    reWin.show();
    DWORD until = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (GetTickCount() < until) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
    return 0;
}
