#pragma once
// A main window with the window page on its first frame, over a simulated desktop
// where each test opens the other programs' windows it needs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_system.h"
#include "ui/control_ids.h"
#include "ui/form.h"
#include "ui/sim/sim_dialogs.h"
#include "ui/sim/sim_forms.h"
#include "windows/window_ops.h"
#include "windows/window_page.h"

namespace windows::testing {

using platform::WindowHandle;
using Rows = std::vector<std::string>;

struct PeerWindow {
    std::string title;
    bool visible = true;
    bool enabled = true;
    bool hung = false;
};

class WindowPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.show();
        // Veilor's own main window sits on the desktop like any other.
        mainWindow = sim.desktop.open({.className = "ThunderRT6FormDC", .title = "Veilor"});
    }

    // Opens a window on top of the z-order, so windows opened later come first.
    WindowHandle open(const PeerWindow& peer) {
        return sim.desktop.open({.className = "PeerWindow",
                                 .title = peer.title,
                                 .visible = peer.visible,
                                 .enabled = peer.enabled,
                                 .hung = peer.hung});
    }
    WindowHandle open(const std::string& title) { return open(PeerWindow{.title = title}); }

    platform::sim::SimWindow& window(WindowHandle h) { return *sim.desktop.find(h); }
    std::string titleOf(WindowHandle h) { return window(h).title; }
    const std::vector<std::string>& rows() const { return page.List1.rows(); }

    // Clicks the first row with exactly this text, as the user would.
    void clickRow(const std::string& text) {
        for (int i = 0; i < page.List1.listCount(); ++i) {
            if (page.List1.list(i) == text) {
                page.List1.setListIndex(i);
                return;
            }
        }
        ADD_FAILURE() << "no row \"" << text << "\" among " << ::testing::PrintToString(rows());
    }

    void refreshWithVisibleOnly(bool on) {
        page.chkVisible.setValue(on ? 1 : 0);
        page.Refresh1();
    }

    platform::sim::SimInstanceBus bus;
    platform::sim::SimSystem sim{bus};
    platform::System sys = sim.system();
    ui::sim::SimForms forms;
    ui::sim::SimDialogs dialogs;
    ui::Form form{forms, 1000, "frmain"};
    ui::Frame frame{&form, ui::ids::kFrame1, "Frame1"};
    WindowHandle mainWindow = platform::kNoWindow;
    HiddenRecord record{sim.files, sim.clock};
    WindowPage page{frame, sys, dialogs, record, [this] { return mainWindow; }};
};

}  // namespace windows::testing
