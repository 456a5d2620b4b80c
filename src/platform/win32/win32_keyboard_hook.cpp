#include "platform/win32/win32_keyboard_hook.h"

#include <windows.h>

namespace platform::win32 {
namespace {

// One hook per process: the procedure has no other way to find its filter.
HHOOK gHook = nullptr;
KeyFilter gFilter = nullptr;

LRESULT CALLBACK hookProcedure(int code, WPARAM message, LPARAM info) noexcept {
    std::uint32_t vkCode = 0;
    if (code == HC_ACTION) vkCode = reinterpret_cast<const KBDLLHOOKSTRUCT*>(info)->vkCode;
    if (gFilter && gFilter(code, static_cast<std::uint32_t>(message), vkCode)) return 1;
    return CallNextHookEx(gHook, code, message, info);
}

}  // namespace

bool Win32KeyboardHook::install(KeyFilter filter) {
    if (gHook) return true;
    if (!filter) return false;
    gFilter = filter;
    gHook = SetWindowsHookExW(WH_KEYBOARD_LL, hookProcedure, GetModuleHandleW(nullptr), 0);
    return gHook != nullptr;
}

void Win32KeyboardHook::remove() {
    if (!gHook) return;
    UnhookWindowsHookEx(gHook);
    gHook = nullptr;
}

bool Win32KeyboardHook::installed() const {
    return gHook != nullptr;
}

}  // namespace platform::win32
