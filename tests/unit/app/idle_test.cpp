// A Veilor left alone costs nothing: no timer ticks and no window hook is held, on any
// page and in any state, except the hook of the window list while it follows the desktop
// ("仅显示可见窗口") in sight of the user.
#include <gtest/gtest.h>

#include "app/app_fixture.h"

namespace app::testing {
namespace {

TEST(IdleProgramTest, NoTimerTicksAndNoHookUnlessTheWatchedWindowListIsSeen) {
    testing_support::SimProgram program;
    program.start();
    Frmain& frmain = program.frmain();
    const auto idle = [&](const char* state, int hooks) {
        program.forms.advance(5000);
        EXPECT_EQ(program.forms.runningTimers(), std::vector<std::string>{}) << state;
        EXPECT_EQ(program.sim.desktop.listeners(), hooks) << state;
    };
    idle("news page", 0);
    frmain.Command1.raiseClick();
    idle("window page", 0);
    frmain.windowPage.chkVisible.raiseClick();
    idle("window page, visible windows only", 1);
    frmain.Command2.raiseClick();
    idle("tray page", 0);
    frmain.Command1.raiseClick();
    frmain.Command7.raiseClick();
    idle("hidden by the one-key hide", 0);
    frmain.reOneKey.onAction();
    idle("back from the one-key hide", 1);
    frmain.frmtray.raiseClick();
    idle("minimised to the notification area", 0);
    frmain.setWindowState(ui::WindowState::Normal);
    frmain.show();
    idle("shown again", 1);
}

}  // namespace
}  // namespace app::testing
