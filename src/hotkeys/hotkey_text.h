#pragma once
// A hotkey box holds two things: the value that is stored and registered (its tag) and
// the text the user reads. One rule turns a key code and three modifier fields into both.
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace hotkeys {

// The stored form of an unassigned hotkey.
inline constexpr const char* kEmptyHotKeyValue = "46,0,0,0";
inline constexpr const char* kEmptyHotKeyText = "(空)";
inline constexpr const char* kNoModifierText = "(热键至少需要一个控制键)";

// Key code, then the Ctrl, Alt and Shift fields: -1 when the modifier belongs to the
// hotkey, 0 when it does not.
struct HotKeyValue {
    int keyCode = 0;
    int ctrl = 0;
    int alt = 0;
    int shift = 0;
};

// What the user reads for a hotkey. A modifier shows only when its field is exactly -1.
std::string HotKeyText(int keyCode, int ctrl, int alt, int shift);
// The value kept in the box's tag and the settings file, in canonical form.
std::string hotKeyTag(int keyCode, int ctrl, int alt, int shift);
// Sets the box's text and its tag from one key code and its modifier fields.
void SetHotKeyBox(ui::TextBox& box, int keyCode, int ctrl, int alt, int shift);
// Reads a stored value: fields split at ",", each read as a number; missing fields are 0
// and fields after the fourth are ignored.
HotKeyValue parseHotKeyValue(std::string_view value);

}  // namespace hotkeys
