#pragma once
// The system-wide low-level keyboard hook: every key event of the desktop passes it
// before any program sees it.
#include <cstdint>

namespace platform {

// The key messages the hook is handed, with their Win32 values.
constexpr std::uint32_t kWmKeyDown = 0x100;
constexpr std::uint32_t kWmKeyUp = 0x101;
constexpr std::uint32_t kWmSysKeyDown = 0x104;
constexpr std::uint32_t kWmSysKeyUp = 0x105;

// True keeps the event from every program. It runs for every key of the desktop, on the
// thread that installed the hook, while the user waits: it allocates nothing and
// returns at once. vkCode is 0 unless code is 0 (an event to act on).
using KeyFilter = bool (*)(int code, std::uint32_t message, std::uint32_t vkCode);

class KeyboardHook {
  public:
    virtual ~KeyboardHook() = default;
    // Puts the hook in place unless it already is; false when the system refuses.
    virtual bool install(KeyFilter filter) = 0;
    // Does nothing when no hook is in place.
    virtual void remove() = 0;
    virtual bool installed() const = 0;
};

}  // namespace platform
