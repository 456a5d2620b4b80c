#include "hotkeys/hotkey_page.h"

#include <algorithm>

#include "hotkeys/hotkey_text.h"
#include "ui/form.h"

namespace hotkeys {
namespace {

constexpr int kKeyDelete = 46;
constexpr const char* kMarkOn = "●";
constexpr const char* kMarkOff = "○";

int flag(int shift, int mask) {
    return (shift & mask) ? -1 : 0;
}

}  // namespace

HotKeyPage::HotKeyPage(cHotKey& cHK, const Boxes& txtHotKey, const Marks& labHotKey,
                       ui::Timer& Timer1, Actions actions)
    : cHK_(cHK),
      txtHotKey_(txtHotKey),
      labHotKey_(labHotKey),
      Timer1_(Timer1),
      actions_(std::move(actions)) {
    for (int i = 0; i < kCount; ++i) {
        ui::TextBox& box = *txtHotKey_[i];
        box.onKeyDown = [this, i](int& keyCode, int shift) {
            txtHotKey_KeyDown(i, keyCode, shift);
        };
        // The box shows only what the capture sets, never the typed character.
        box.onKeyPress = [](int& keyAscii) { keyAscii = 0; };
        box.onGotFocus = [this] { txtHotKey_GotFocus(); };
        box.onLostFocus = [this, i] { txtHotKey_LostFocus(i); };
        // A click into the box the keyboard is already in (left there after OK) is
        // going into it all the same.
        box.onMouseDown = [this, i](ui::MouseButton, int, int, int) {
            if (txtHotKey_[i]->form() && txtHotKey_[i]->form()->focused() == txtHotKey_[i])
                txtHotKey_GotFocus();
        };
    }
    cHK_.HotKeyPress = [this](int index, int, bool, bool, bool) { cHK_HotKeyPress(index); };
}

// Only while the hotkeys are off: with them on, the boss key pressed at a box the system
// merely handed the focus back to would leave its modifier in the box and hide anyway.
// The box never edits its own text either way.
void HotKeyPage::txtHotKey_KeyDown(int index, int& keyCode, int shift) {
    if (capturing_) {
        SetHotKeyBox(*txtHotKey_[index], keyCode, flag(shift, ui::kCtrlMask),
                     flag(shift, ui::kAltMask), flag(shift, ui::kShiftMask));
    }
    keyCode = 0;
}

// With the hotkeys registered, pressing one in a box would run its action instead of
// reaching the box.
void HotKeyPage::txtHotKey_GotFocus() {
    if (capturing_) return;
    cHK_.ClsAllHotKey();
    HotKeyIds.fill(-1);
    capturing_ = true;
}

// From one box to the next the user is still setting hotkeys.
void HotKeyPage::txtHotKey_LostFocus(int index) {
    const ui::Form* form = txtHotKey_[index]->form();
    if (!isBox(form ? form->focused() : nullptr)) leaveBoxes();
}

bool HotKeyPage::isBox(const ui::Control* control) const {
    return control && std::find(txtHotKey_.begin(), txtHotKey_.end(), control) != txtHotKey_.end();
}

void HotKeyPage::leaveBoxes() {
    if (!capturing_) return;
    capturing_ = false;
    cHK_.ClsAllHotKey();
    for (int i = 0; i < kCount; ++i) {
        const std::optional<HotKeyValue>& v = saved_[i];
        // Taken by another program meanwhile: off until the next OK, the box as it is.
        HotKeyIds[i] =
            v ? cHK_.AddHotKey(v->keyCode, v->ctrl != 0, v->alt != 0, v->shift != 0) : -1;
    }
    cHK_.StartHotKeys(Timer1_);
}

void HotKeyPage::registerBox(int index) {
    HotKeyIds[index] = -1;
    ui::TextBox& box = *txtHotKey_[index];
    if (box.text() == kEmptyHotKeyText || box.text() == kNoModifierText) return;
    // Any non-zero modifier field counts when registering, unlike the display text.
    HotKeyValue v = parseHotKeyValue(box.tag);
    HotKeyIds[index] = cHK_.AddHotKey(v.keyCode, v.ctrl != 0, v.alt != 0, v.shift != 0);
    if (HotKeyIds[index] == -1) {
        SetHotKeyBox(box, kKeyDelete, 0, 0, 0);
        return;
    }
    saved_[index] = v;
}

void HotKeyPage::SetHotKeys() {
    capturing_ = false;
    saved_.fill(std::nullopt);
    cHK_.ClsAllHotKey();
    for (int i = 0; i < kCount; ++i)
        registerBox(i);
    cHK_.StartHotKeys(Timer1_);
}

bool HotKeyPage::running(int hotKeyIndex) const {
    for (int i = 0; i < kCount; ++i) {
        if (HotKeyIds[i] == hotKeyIndex && running_[i]) return true;
    }
    return false;
}

void HotKeyPage::runAction(int index) {
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(running_[index]);
    actions_[index]();
}

// A press that comes while its own action still runs would start that action again in
// the middle of itself: the one-key hide inside the one-key hide.
void HotKeyPage::cHK_HotKeyPress(int hotKeyIndex) {
    if (running(hotKeyIndex)) return;
    for (int i = 0; i < kCount; ++i) {
        if (HotKeyIds[i] != hotKeyIndex) continue;
        ui::Label& mark = *labHotKey_[i];
        mark.setText(mark.text() != kMarkOn ? kMarkOn : kMarkOff);
    }
    for (int i = 0; i < kCount; ++i) {
        if (HotKeyIds[i] == hotKeyIndex && actions_[i]) runAction(i);
    }
}

}  // namespace hotkeys
