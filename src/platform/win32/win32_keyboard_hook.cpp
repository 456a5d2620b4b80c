#include "platform/win32/win32_keyboard_hook.h"

#include <windows.h>

namespace platform::win32 {
namespace {

// The system calls the hook on the thread that installed it, for every key of the desktop,
// and holds the key until it returns. The hook therefore has a thread of its own that does
// nothing else: a user-interface thread busy with a refill or a slow window would hold up
// the whole desktop's typing.
HHOOK gHook = nullptr;
KeyFilter gFilter = nullptr;
HANDLE gThread = nullptr;
DWORD gThreadId = 0;

LRESULT CALLBACK hookProcedure(int code, WPARAM message, LPARAM info) noexcept {
    std::uint32_t vkCode = 0;
    if (code == HC_ACTION) vkCode = reinterpret_cast<const KBDLLHOOKSTRUCT*>(info)->vkCode;
    if (gFilter && gFilter(code, static_cast<std::uint32_t>(message), vkCode)) return 1;
    return CallNextHookEx(gHook, code, message, info);
}

struct Start {
    HANDLE ready;
    bool installed;
};

DWORD WINAPI hookThread(LPVOID param) noexcept {
    auto* start = static_cast<Start*>(param);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue WM_QUIT is posted to
    gHook = SetWindowsHookExW(WH_KEYBOARD_LL, hookProcedure, GetModuleHandleW(nullptr), 0);
    start->installed = gHook != nullptr;
    SetEvent(start->ready);
    if (!gHook) return 1;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    UnhookWindowsHookEx(gHook);
    gHook = nullptr;
    return 0;
}

void joinThread() {
    WaitForSingleObject(gThread, INFINITE);
    CloseHandle(gThread);
    gThread = nullptr;
    gThreadId = 0;
}

}  // namespace

bool Win32KeyboardHook::install(KeyFilter filter) {
    if (gThread) return true;
    if (!filter) return false;
    gFilter = filter;
    Start start{CreateEventW(nullptr, TRUE, FALSE, nullptr), false};
    if (!start.ready) return false;
    gThread = CreateThread(nullptr, 0, hookThread, &start, 0, &gThreadId);
    if (gThread) WaitForSingleObject(start.ready, INFINITE);
    CloseHandle(start.ready);
    if (gThread && !start.installed) joinThread();
    return gThread != nullptr;
}

void Win32KeyboardHook::remove() {
    if (!gThread) return;
    PostThreadMessageW(gThreadId, WM_QUIT, 0, 0);
    joinThread();
}

bool Win32KeyboardHook::installed() const {
    return gThread != nullptr;
}

}  // namespace platform::win32
