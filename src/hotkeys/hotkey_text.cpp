#include "hotkeys/hotkey_text.h"

#include <vector>

#include "core/text.h"
#include "core/val.h"

namespace hotkeys {
namespace {

constexpr int kKeyBackspace = 8;
constexpr int kKeyDelete = 46;
constexpr int kKeyF1 = 112;
constexpr int kKeyF13 = 124;

bool clearsTheBox(int keyCode) {
    return keyCode == kKeyDelete || keyCode == kKeyBackspace;
}

void appendModifier(std::string& text, const char* name) {
    text += text.empty() ? name : std::string(" + ") + name;
}

std::string modifierText(int ctrl, int alt, int shift) {
    std::string text;
    if (ctrl == -1) appendModifier(text, "Ctrl");
    if (alt == -1) appendModifier(text, "Alt");
    if (shift == -1) appendModifier(text, "Shift");
    return text;
}

// The name of the key itself, empty for keys the box does not name.
std::string keyName(int keyCode) {
    if (keyCode >= kKeyF1 && keyCode <= kKeyF13) {
        std::string name(1, 'F');
        name += std::to_string(keyCode - kKeyF1 + 1);
        return name;
    }
    bool letter = keyCode >= 'A' && keyCode <= 'Z';
    bool digit = keyCode >= '0' && keyCode <= '9';
    if (letter || digit) return std::string(1, static_cast<char>(keyCode));
    return {};
}

}  // namespace

std::string HotKeyText(int keyCode, int ctrl, int alt, int shift) {
    if (clearsTheBox(keyCode)) return kEmptyHotKeyText;
    std::string modifiers = modifierText(ctrl, alt, shift);
    if (modifiers.empty()) return kNoModifierText;
    std::string key = keyName(keyCode);
    return key.empty() ? modifiers : modifiers + " + " + key;
}

std::string hotKeyTag(int keyCode, int ctrl, int alt, int shift) {
    if (clearsTheBox(keyCode)) return kEmptyHotKeyValue;
    return std::to_string(keyCode) + "," + std::to_string(ctrl) + "," + std::to_string(alt) + "," +
           std::to_string(shift);
}

void SetHotKeyBox(ui::TextBox& box, int keyCode, int ctrl, int alt, int shift) {
    box.setText(HotKeyText(keyCode, ctrl, alt, shift));
    box.tag = hotKeyTag(keyCode, ctrl, alt, shift);
}

HotKeyValue parseHotKeyValue(std::string_view value) {
    std::vector<std::string> fields = core::split(value, ',');
    auto field = [&](size_t i) { return i < fields.size() ? core::valInt(fields[i]) : 0; };
    return HotKeyValue{field(0), field(1), field(2), field(3)};
}

}  // namespace hotkeys
