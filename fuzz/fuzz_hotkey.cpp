// A stored hotkey value, as a hand edit may have left it, and the text the box shows.
#include "core/utf.h"
#include "fuzz_check.h"
#include "hotkeys/hotkey_text.h"

namespace {

bool clears(int keyCode) {
    return keyCode == 8 || keyCode == 46;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::text(data, size);
    const hotkeys::HotKeyValue v = hotkeys::parseHotKeyValue(input);
    const std::string tag = hotkeys::hotKeyTag(v.keyCode, v.ctrl, v.alt, v.shift);
    const std::string text = hotkeys::HotKeyText(v.keyCode, v.ctrl, v.alt, v.shift);

    // The canonical value reads back as itself, and as the same key unless it clears.
    const hotkeys::HotKeyValue back = hotkeys::parseHotKeyValue(tag);
    FUZZ_CHECK(hotkeys::hotKeyTag(back.keyCode, back.ctrl, back.alt, back.shift) == tag);
    if (clears(v.keyCode)) {
        FUZZ_CHECK(tag == hotkeys::kEmptyHotKeyValue && text == hotkeys::kEmptyHotKeyText);
        return 0;
    }
    FUZZ_CHECK(back.keyCode == v.keyCode && back.ctrl == v.ctrl && back.alt == v.alt &&
               back.shift == v.shift);

    // The text names exactly the modifiers whose field is -1, and is whole UTF-8.
    FUZZ_CHECK(!text.empty());
    FUZZ_CHECK(core::utf16ToUtf8(core::utf8ToUtf16(text)) == text);
    const bool any = v.ctrl == -1 || v.alt == -1 || v.shift == -1;
    FUZZ_CHECK((text == hotkeys::kNoModifierText) == !any);
    if (!any) return 0;
    FUZZ_CHECK((text.find("Ctrl") != std::string::npos) == (v.ctrl == -1));
    FUZZ_CHECK((text.find("Alt") != std::string::npos) == (v.alt == -1));
    FUZZ_CHECK((text.find("Shift") != std::string::npos) == (v.shift == -1));
    return 0;
}
