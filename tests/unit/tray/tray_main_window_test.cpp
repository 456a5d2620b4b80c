// The tray page inside the real main window: its page button and the load sequence.
#include <gtest/gtest.h>

#include "app/app_fixture.h"

namespace tray::testing {
namespace {

TEST(TrayOnMainWindowTest, PageButtonShowsThePageAndListsTheIcons_ButtonsSetFromLoad) {
    testing_support::SimProgram program;
    platform::sim::SimNotifyArea& shell = program.sim.notifyArea;
    shell.openShell();
    shell.addButton("QQ", 5);
    shell.addButton("Mail", 2);
    program.start();
    app::Frmain& frmain = program.frmain();
    TrayPage& page = frmain.trayPage;

    EXPECT_FALSE(page.cmdHide2.enabled()) << "set by the load sequence";
    EXPECT_TRUE(page.List2.rows().empty()) << "nothing is read before the page is opened";

    page.txtTrayTitle.setText("stale");
    frmain.Command2.raiseClick();
    EXPECT_TRUE(frmain.Frame2.visible());
    EXPECT_FALSE(frmain.Frame3.visible());
    EXPECT_EQ(page.List2.rows(), std::vector<std::string>({"QQ", "Mail"}));
    EXPECT_EQ(page.txtTrayTitle.text(), "");
    EXPECT_EQ(page.List2.parent(), &frmain.Frame2);
}

}  // namespace
}  // namespace tray::testing
