#pragma once
// A simulated desktop with one form whose window receives the hotkeys, its Timer1, and a
// cHotKey wired to it the way the main window wires its own.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "hotkeys/c_hot_key.h"
#include "platform/sim/sim_system.h"
#include "ui/form.h"
#include "ui/sim/sim_forms.h"

namespace hotkey_test {

using platform::modifier::kAlt;
using platform::modifier::kControl;
using platform::modifier::kNoRepeat;
using platform::modifier::kShift;

struct Press {
    int index, keyCode;
    bool ctrl, alt, shift;
    bool operator==(const Press&) const = default;
};

class HotKeyFixture : public ::testing::Test {
  protected:
    HotKeyFixture() {
        form.load();
        sim.hotKeys.setDelivery(
            [this](platform::WindowHandle window, int id) { forms.deliverHotKey(window, id); });
        form.onHotKey = [this](int id) {
            if (cHK) cHK->hotKeyMessage(id);
        };
        makeHotKey();
    }

    void makeHotKey() {
        cHK = std::make_unique<hotkeys::cHotKey>(sim.hotKeys, sim.shell);
        cHK->setFrmHwnd(form.handle());
        cHK->HotKeyPress = [this](int index, int keyCode, bool ctrl, bool alt, bool shift) {
            presses.push_back({index, keyCode, ctrl, alt, shift});
        };
    }
    // Starts the hotkeys and lets the timer tick that arms them.
    void arm() {
        cHK->StartHotKeys(Timer1);
        forms.advance(10);
    }

    platform::sim::SimSystem sim;
    ui::sim::SimForms forms;
    ui::Form form{forms, 1000, "frmain"};
    ui::Timer Timer1{&form, 1001, "Timer1"};
    std::unique_ptr<hotkeys::cHotKey> cHK;
    std::vector<Press> presses;
};

}  // namespace hotkey_test
