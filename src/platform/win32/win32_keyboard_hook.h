#pragma once
// The low-level keyboard hook through SetWindowsHookExW, on a thread of its own that
// answers every key at once, whatever the user-interface thread is doing.
#include "platform/keyboard_hook.h"

namespace platform::win32 {

class Win32KeyboardHook : public KeyboardHook {
  public:
    Win32KeyboardHook() = default;
    Win32KeyboardHook(const Win32KeyboardHook&) = delete;
    Win32KeyboardHook& operator=(const Win32KeyboardHook&) = delete;
    // A hook left in place would keep swallowing keys after the program is gone.
    ~Win32KeyboardHook() override { remove(); }
    bool install(KeyFilter filter) override;
    void remove() override;
    bool installed() const override;
};

}  // namespace platform::win32
