// A form's unload: an unload handler that fails leaves the form able to unload later. Its
// first-shown event: once per load, at the message loop's turn, never for a form gone.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "ui/form.h"
#include "ui/sim/sim_forms.h"

namespace {

TEST(FormUnload, AHandlerThatThrowsDoesNotJamEveryLaterUnload) {
    ui::sim::SimForms host;
    ui::Form form(host, 1, "frmTest");
    form.show();
    int runs = 0;
    form.onUnload = [&](bool&) {
        if (++runs == 1) throw std::runtime_error("restore failed");
    };
    EXPECT_THROW(form.unload(), std::runtime_error);
    EXPECT_TRUE(form.loaded());
    EXPECT_TRUE(form.unload());
    EXPECT_EQ(runs, 2) << "the second unload ran its handler again";
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(host.isAttached(form));
}

TEST(FormFirstShown, ComesAtTheLoopsTurnOncePerLoadAndNeverForAFormUnloadedBefore) {
    ui::sim::SimForms host;
    ui::Form form(host, 1, "frmTest");
    std::vector<bool> visibleWhenRun;
    form.onFirstShown = [&] { visibleWhenRun.push_back(form.visible()); };
    form.show();
    EXPECT_TRUE(visibleWhenRun.empty()) << "not before the message loop's turn";
    host.pump();
    form.hide();
    form.show();
    host.advance(100);
    EXPECT_EQ(visibleWhenRun, std::vector<bool>{true}) << "once, with the window up";

    form.unload();
    form.show();
    form.unload();
    host.pump();
    EXPECT_EQ(visibleWhenRun.size(), 1u) << "the second load ended before the loop's turn";
    form.show();
    host.pump();
    EXPECT_EQ(visibleWhenRun.size(), 2u) << "the third load is up";
}

}  // namespace
