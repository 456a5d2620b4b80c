#pragma once
// The keyboard lock of the black screen: a system-wide hook that keeps the keys which
// switch away from it (Tab, and with it Alt+Tab; Delete, and with it Ctrl+Alt+Delete where
// the system lets a hook see it; both Windows keys) from every program.
#include <cstdint>

#include "platform/keyboard_hook.h"

namespace blackscreen {

// The hook's rule: key-down and key-up, also as system keys, of Tab, Delete and both
// Windows keys are swallowed; everything else goes on to the next hook.
bool swallowsKey(int code, std::uint32_t message, std::uint32_t vkCode) noexcept;

// A hook that cannot be installed leaves the black screen up without the lock.
bool HookKeyboard(platform::KeyboardHook& hook);
void UnhookKeyboard(platform::KeyboardHook& hook);

}  // namespace blackscreen
