#include "platform/win32/win32_hotkeys.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace platform::win32 {

std::uint16_t Win32HotKeys::addAtom(const std::string& name) {
    return GlobalAddAtomW(wide(name).c_str());
}

void Win32HotKeys::deleteAtom(std::uint16_t atom) {
    GlobalDeleteAtom(atom);
}

bool Win32HotKeys::registerHotKey(WindowHandle window, int id, unsigned modifiers, int keyCode) {
    if (window == kNoWindow) return false;  // a null window would bind the key to the thread
    HWND hwnd = reinterpret_cast<HWND>(window);
    const UINT key = static_cast<UINT>(keyCode);
    if (RegisterHotKey(hwnd, id, modifiers, key)) return true;
    // Systems before Windows 7 do not know the no-repeat flag and may refuse it; the key
    // then works as it always did there rather than not at all.
    if (!(modifiers & modifier::kNoRepeat) || GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED)
        return false;
    return RegisterHotKey(hwnd, id, modifiers & ~modifier::kNoRepeat, key) != FALSE;
}

bool Win32HotKeys::unregisterHotKey(WindowHandle window, int id) {
    if (window == kNoWindow) return false;
    return UnregisterHotKey(reinterpret_cast<HWND>(window), id) != FALSE;
}

}  // namespace platform::win32
