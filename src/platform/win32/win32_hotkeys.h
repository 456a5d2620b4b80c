#pragma once
// Global atoms and system-wide hotkeys through the Win32 API.
#include "platform/hotkeys.h"

namespace platform::win32 {

class Win32HotKeys : public HotKeys {
  public:
    std::uint16_t addAtom(const std::string& name) override;
    void deleteAtom(std::uint16_t atom) override;
    bool registerHotKey(WindowHandle window, int id, unsigned modifiers, int keyCode) override;
    bool unregisterHotKey(WindowHandle window, int id) override;
};

}  // namespace platform::win32
