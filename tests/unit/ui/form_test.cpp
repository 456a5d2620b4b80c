// A form's unload: an unload handler that fails leaves the form able to unload later.
#include <gtest/gtest.h>

#include <stdexcept>

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

}  // namespace
