#pragma once
// The hotkey half of the settings page: the seven boxes capture a combination as the user
// presses it, the user's going into any of them switches every hotkey off so the keys
// reach the box, leaving them without saving arms the saved ones again, SetHotKeys
// registers what the boxes hold, and a pressed hotkey toggles its mark and runs its
// action.
#include <array>
#include <functional>
#include <optional>

#include "hotkeys/c_hot_key.h"
#include "hotkeys/hotkey_text.h"
#include "ui/controls.h"

namespace hotkeys {

class HotKeyPage {
  public:
    static constexpr int kCount = 7;
    using Boxes = std::array<ui::TextBox*, kCount>;
    using Marks = std::array<ui::Label*, kCount>;
    using Actions = std::array<std::function<void()>, kCount>;

    // Wires the boxes' key and focus events and cHK's HotKeyPress; Timer1 drives cHK.
    HotKeyPage(cHotKey& cHK, const Boxes& txtHotKey, const Marks& labHotKey, ui::Timer& Timer1,
               Actions actions);
    HotKeyPage(const HotKeyPage&) = delete;
    HotKeyPage& operator=(const HotKeyPage&) = delete;

    // Registers every box's combination; a box whose combination cannot be registered
    // (held by another program or by an earlier box) is emptied.
    void SetHotKeys();

    // The user left the boxes without saving (another tab or page, Cancel): the
    // combinations the last SetHotKeys registered are armed again, whatever the boxes now
    // show. Nothing happens unless a box had switched the hotkeys off.
    void leaveBoxes();

    // The entry index cHK gave box i, or -1 when box i has no registered hotkey.
    std::array<int, kCount> HotKeyIds{-1, -1, -1, -1, -1, -1, -1};

    void txtHotKey_KeyDown(int index, int& keyCode, int shift);
    void txtHotKey_GotFocus();
    void cHK_HotKeyPress(int hotKeyIndex);

  private:
    void registerBox(int index);
    bool running(int hotKeyIndex) const;
    void runAction(int index);
    void txtHotKey_LostFocus(int index);
    bool isBox(const ui::Control* control) const;

    cHotKey& cHK_;
    Boxes txtHotKey_;
    Marks labHotKey_;
    ui::Timer& Timer1_;
    Actions actions_;
    bool capturing_ = false;
    // Per box, its action has not returned yet (a message box or a nested message loop
    // inside it lets the next press in).
    std::array<bool, kCount> running_{};
    // Per box, what the last SetHotKeys registered for it.
    std::array<std::optional<HotKeyValue>, kCount> saved_;
};

}  // namespace hotkeys
