#pragma once
// System-wide hotkeys: global atoms to name them, and their registration for a window.
// The system posts the hotkey message to that window; the form's view turns it into
// ui::Form::onHotKey.
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

// Modifier bits of a registration, with their Win32 values.
namespace modifier {
constexpr unsigned kAlt = 1;
constexpr unsigned kControl = 2;
constexpr unsigned kShift = 4;
// Not a key: keyboard auto-repeat of a held combination sends no further hotkey messages.
constexpr unsigned kNoRepeat = 0x4000;
}  // namespace modifier

class HotKeys {
  public:
    virtual ~HotKeys() = default;
    // A global atom for the name; 0 when the system refused one.
    virtual std::uint16_t addAtom(const std::string& name) = 0;
    virtual void deleteAtom(std::uint16_t atom) = 0;
    // False when the combination could not be registered, for instance because another
    // program holds it.
    virtual bool registerHotKey(WindowHandle window, int id, unsigned modifiers, int keyCode) = 0;
    virtual bool unregisterHotKey(WindowHandle window, int id) = 0;
};

}  // namespace platform
