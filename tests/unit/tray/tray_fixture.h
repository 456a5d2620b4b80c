#pragma once
// A simulated desktop whose shell shows a row of notification icons, and the tray page
// on a loaded main window, driven as a user drives it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_system.h"
#include "tray/tray_page.h"
#include "tray/tray_toolbar.h"
#include "ui/control_ids.h"
#include "ui/form.h"
#include "ui/sim/sim_forms.h"

namespace tray::testing {

using Rows = std::vector<std::string>;
using platform::sim::SimTrayButton;

class TrayTest : public ::testing::Test {
  protected:
    TrayTest() { shell.openShell(100, 20); }

    // Icons in toolbar order, each {text, command identifier}.
    void icons(std::initializer_list<std::pair<std::string, int>> list) {
        for (const auto& [text, id] : list)
            shell.addButton(text, id);
    }
    bool hidden(int commandId) const {
        const SimTrayButton* b = shell.buttonById(commandId);
        EXPECT_NE(b, nullptr) << "no button " << commandId;
        return b && b->hidden;
    }
    std::vector<int> hiddenIds() const {
        std::vector<int> ids;
        for (const SimTrayButton& b : shell.buttons) {
            if (b.hidden) ids.push_back(b.commandId);
        }
        return ids;
    }
    // Nothing of any connection is still held in the shell's process.
    void expectAllReleased() const {
        EXPECT_EQ(shell.processHandlesOpen(), 0);
        EXPECT_EQ(shell.buffersCommitted(), 0);
    }

    platform::sim::SimSystem sim;
    platform::sim::SimNotifyArea& shell = sim.notifyArea;
    platform::System sys = sim.system();
};

class TrayPageTest : public TrayTest {
  protected:
    TrayPageTest() {
        form.show();
        page.start();
    }
    // Unloaded while its controls still exist: the view lets go of the page's timer.
    ~TrayPageTest() override { form.unload(); }

    Rows rows() const { return page.List2.rows(); }
    void clickRow(const std::string& row) {
        const Rows& all = page.List2.rows();
        for (size_t i = 0; i < all.size(); ++i) {
            if (all[i] == row) {
                page.List2.setListIndex(static_cast<int>(i));
                return;
            }
        }
        ADD_FAILURE() << "no row \"" << row << "\"";
    }
    void clickRowAt(int index) { page.List2.setListIndex(index); }

    ui::sim::SimForms forms;
    ui::Form form{forms, 1000, "frmain"};
    ui::Frame Frame2{&form, ui::ids::kFrame2, "Frame2"};
    TrayPage page{Frame2, sys};
};

}  // namespace tray::testing
