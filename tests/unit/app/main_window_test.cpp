#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_fixture.h"

namespace {

using testing_support::SimProgram;

TEST(MainWindowExit, AsksFirstAndNoKeepsEverything) {
    SimProgram p;
    p.start();
    p.dialogs.answerMessage(ui::mb::kAnswerNo);
    p.frmain().frmUnload.raiseClick();
    ASSERT_EQ(p.dialogs.messages().size(), 1u);
    EXPECT_EQ(p.dialogs.messages()[0].text, "退出程序后所有隐藏将恢复，确定仍要退出？");
    EXPECT_EQ(p.dialogs.messages()[0].title, "退出");
    EXPECT_EQ(p.dialogs.messages()[0].style, 292);
    EXPECT_TRUE(p.frmain().loaded());
    EXPECT_FALSE(p.frmain().formunload);
    EXPECT_EQ(p.quits, 0);

    p.dialogs.answerMessage(ui::mb::kAnswerYes);
    p.frmain().frmUnload.raiseClick();
    EXPECT_FALSE(p.frmain().loaded());
    EXPECT_EQ(p.quits, 1);
}

TEST(MainWindowExit, EndMsgSetExitsWithoutAQuestion) {
    SimProgram p;
    p.sim.files.put("C:\\Users\\user\\Documents\\Veilor\\Config.ini", "[Config]\r\nEndMsg=1\r\n");
    p.start();
    p.frmain().frmUnload.raiseClick();
    EXPECT_TRUE(p.dialogs.messages().empty());
    EXPECT_EQ(p.quits, 1);
    EXPECT_FALSE(p.frmain().loaded());
}

TEST(SettingsPage, TabsShowOneFrameAndOptionClicksMarkThePageChanged) {
    SimProgram p;
    p.start();
    app::Frmain& f = p.frmain();
    f.Command5.raiseClick();
    EXPECT_TRUE(f.Frame4.visible());
    EXPECT_FALSE(f.Frame3.visible());
    f.TabStrip1.select(1);
    EXPECT_FALSE(f.Frame5.visible());
    EXPECT_TRUE(f.Frame6.visible());
    EXPECT_FALSE(f.Frame7.visible());
    f.TabStrip1.select(2);
    EXPECT_TRUE(f.Frame7.visible());
    EXPECT_TRUE(f.txtHotKey[5]->shownOnScreen());
    EXPECT_FALSE(f.txtHotKey[0]->shownOnScreen());

    f.Label27.setText("已保存");
    f.CheckEndMini.raiseClick();
    f.CheckEndMini.raiseClick();
    EXPECT_EQ(f.CheckEndMini.value(), 0);
    EXPECT_TRUE(f.cmdSetOK.enabled());
    EXPECT_TRUE(f.cmdSetCancel.enabled());
    EXPECT_EQ(f.Label27.text(), "");
}

TEST(SettingsPage, RepairWithTheFileAbsentSaysNothing) {
    SimProgram p;
    p.start();
    p.sim.files.deleteFile("C:\\Users\\user\\Documents\\Veilor\\Config.ini");
    p.dialogs.answerMessage(ui::mb::kAnswerOk);
    p.frmain().Command13.raiseClick();
    ASSERT_EQ(p.dialogs.messages().size(), 1u);
    EXPECT_EQ(p.dialogs.messages()[0].style, 33);
    EXPECT_FALSE(p.sim.shell.ended);
}

}  // namespace

namespace {

using testing_support::SimProgram;
constexpr int kLeftUp = 0x202;

TEST(MainWindowStates, MinimiseToTrayAndBackByTheIconAndByTheMenu) {
    SimProgram p;
    p.start();
    app::Frmain& f = p.frmain();
    f.frmtray.raiseClick();
    EXPECT_FALSE(f.visible());
    EXPECT_TRUE(f.Traying);
    EXPECT_TRUE(p.sim.notifyIcon.present());
    EXPECT_EQ(p.sim.notifyIcon.tip(), "Veilor");

    p.sim.notifyIcon.sendMouse(0x200);  // a mouse move over the icon does nothing
    EXPECT_FALSE(f.visible());
    p.sim.notifyIcon.sendMouse(kLeftUp);
    EXPECT_TRUE(f.visible());
    EXPECT_EQ(f.windowState(), ui::WindowState::Normal);
    EXPECT_FALSE(f.Traying);
    EXPECT_FALSE(p.sim.notifyIcon.present());

    f.frmtray.raiseClick();
    f.mainTray.mnu_Show();
    EXPECT_TRUE(f.visible());
    EXPECT_FALSE(p.sim.notifyIcon.present());
    EXPECT_EQ(p.sim.notifyIcon.addCount(), 2);
}

TEST(MainWindowStates, MinimiseToTaskbarDoesNotStick) {
    SimProgram p;
    p.start();
    app::Frmain& f = p.frmain();
    f.frmResize.raiseClick();
    EXPECT_EQ(f.windowState(), ui::WindowState::Minimized);
    EXPECT_TRUE(f.visible());
    EXPECT_FALSE(p.sim.notifyIcon.present());

    f.setWindowState(ui::WindowState::Normal);  // restored from its taskbar button
    EXPECT_FALSE(f.noHide);
    f.frmtray.raiseClick();
    EXPECT_FALSE(f.visible());
    EXPECT_TRUE(p.sim.notifyIcon.present());
}

TEST(MainWindowStates, HideSelfTogglesWithoutAnIcon) {
    SimProgram p;
    p.start();
    app::Frmain& f = p.frmain();
    f.Command8.raiseClick();
    EXPECT_TRUE(f.Hiden);
    EXPECT_FALSE(f.visible());
    EXPECT_FALSE(p.sim.notifyIcon.present());
    f.Command8.raiseClick();
    EXPECT_FALSE(f.Hiden);
    EXPECT_TRUE(f.visible());
}

TEST(MainWindowStates, ExitButtonMinimisesWhenEndMiniIsSetWhateverEndMsgSays) {
    SimProgram p;
    p.sim.files.put("C:\\Users\\user\\Documents\\Veilor\\Config.ini",
                    "[Config]\r\nEndMini=1\r\nEndMsg=1\r\n");
    p.start();
    p.frmain().frmUnload.raiseClick();
    EXPECT_TRUE(p.frmain().loaded());
    EXPECT_TRUE(p.frmain().Traying);
    EXPECT_TRUE(p.dialogs.messages().empty());
    EXPECT_EQ(p.quits, 0);
}

TEST(MainWindowStates, StartMiniStartsHiddenInTheNotificationArea) {
    SimProgram p;
    p.sim.files.put("C:\\Users\\user\\Documents\\Veilor\\Config.ini",
                    "[Config]\r\nStartMini=1\r\n");
    p.start();
    EXPECT_TRUE(p.frmain().loaded());
    EXPECT_FALSE(p.frmain().visible());
    EXPECT_TRUE(p.sim.notifyIcon.present());
    EXPECT_EQ(p.sim.notifyIcon.addCount(), 1);
    const std::vector<std::string> timers = p.forms.runningTimers();
    EXPECT_NE(std::find(timers.begin(), timers.end(), "Timer6"), timers.end())
        << "the server notice comes all the same";
}

TEST(MainWindowStates, ExitFromTheTrayMenuAnsweredNoKeepsTheWayBack) {
    SimProgram p;
    p.start();
    app::Frmain& f = p.frmain();
    f.frmtray.raiseClick();
    p.dialogs.answerMessage(ui::mb::kAnswerNo);
    f.mainTray.mnu_Exit();
    EXPECT_TRUE(f.loaded());
    EXPECT_FALSE(f.visible());
    // Hidden without an icon only a hotkey could find it again: the icon comes back.
    EXPECT_TRUE(p.sim.notifyIcon.present());
    p.sim.notifyIcon.sendMouse(kLeftUp);
    EXPECT_TRUE(f.visible());
    EXPECT_FALSE(p.sim.notifyIcon.present());
}

TEST(MainWindowStates, DraggingTheBackgroundMovesTheWindowWithAnyButton) {
    SimProgram p;
    p.start();
    app::Frmain& f = p.frmain();
    f.raiseMouseDown(ui::MouseButton::Right, 0, 10, 10);
    f.vLabel.raiseMouseDown(ui::MouseButton::Left, 0, 1, 1);
    f.Command1.raiseMouseDown(ui::MouseButton::Left, 0, 1, 1);
    EXPECT_EQ(p.sim.desktop.dragged, (std::vector<platform::WindowHandle>{f.handle(), f.handle()}));
}

TEST(MainWindowPages, EveryPageButtonLeavesExactlyOnePageVisible) {
    SimProgram p;
    p.start();
    app::Frmain& f = p.frmain();
    const std::pair<ui::Control*, ui::Frame*> buttons[] = {
        {&f.Command1, &f.Frame1}, {&f.Command2, &f.Frame2}, {&f.Command3, &f.Frame8},
        {&f.Command9, &f.Frame9}, {&f.Command4, &f.Frame3}, {&f.Command5, &f.Frame4},
    };
    for (const auto& [button, page] : buttons) {
        button->raiseClick();
        int shown = 0;
        for (ui::Frame* fr : {&f.Frame1, &f.Frame2, &f.Frame3, &f.Frame4, &f.Frame8, &f.Frame9}) {
            shown += fr->visible() ? 1 : 0;
        }
        EXPECT_EQ(shown, 1) << button->name();
        EXPECT_TRUE(page->visible()) << button->name();
    }
}

TEST(Options, StartWithWindowsFollowsTheSettingAtEveryStart) {
    const std::string runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    SimProgram on;
    on.sim.files.put("C:\\Users\\user\\Documents\\Veilor\\Config.ini",
                     "[Config]\r\nStartRun=1\r\n");
    on.sim.environment.exePath = "D:\\Tools\\Veilor.exe";
    on.start();
    EXPECT_EQ(on.sim.registry.readString(platform::RegistryRoot::CurrentUser, runKey, "Veilor"),
              "D:\\Tools\\Veilor.exe");

    SimProgram off;
    off.sim.registry.writeString(platform::RegistryRoot::CurrentUser, runKey, "Veilor",
                                 "C:\\old.exe");
    off.sim.registry.writeString(platform::RegistryRoot::LocalMachine, runKey, "Veilor",
                                 "C:\\Old Version\\Veilor.exe");
    off.start();
    EXPECT_FALSE(off.sim.registry.hasValue(platform::RegistryRoot::CurrentUser, runKey, "Veilor"));
    EXPECT_FALSE(off.sim.registry.hasValue(platform::RegistryRoot::LocalMachine, runKey, "Veilor"));
}

TEST(Options, NoRightsToTheMachineKeyIsSilent) {
    SimProgram p;
    p.sim.files.put("C:\\Users\\user\\Documents\\Veilor\\Config.ini", "[Config]\r\nStartRun=1\r\n");
    p.sim.registry.readOnlyRoots.insert(platform::RegistryRoot::LocalMachine);
    p.start();
    EXPECT_TRUE(p.dialogs.messages().empty());
    EXPECT_EQ(p.frmain().CheckStarRun.value(), 1);
}

}  // namespace

namespace {

TEST(TrayMenu, AboutOpensTheSameBoxEveryTime) {
    testing_support::SimProgram p;
    p.start();
    app::Frmain& f = p.frmain();
    f.frmtray.raiseClick();
    p.forms.chooseNextMenuItem({"帮助(H)", "关于(A).."});
    p.sim.notifyIcon.sendMouse(0x205);
    EXPECT_EQ(p.forms.lastMenuCaptions(),
              (std::vector<std::string>{"帮助(H)", "-", "显示Veilor(O)", "退出(X)"}));
    app::FrmAbout& about = p.application->frmAbout();
    EXPECT_TRUE(about.visible());
    EXPECT_EQ(about.text(), "关于 Veilor");
    about.cmdOK.raiseClick();
    EXPECT_FALSE(about.visible());
    EXPECT_TRUE(about.loaded());
    p.forms.chooseNextMenuItem({"帮助(H)", "关于(A).."});
    p.sim.notifyIcon.sendMouse(0x205);
    EXPECT_TRUE(about.visible());
    EXPECT_EQ(p.forms.attachCount(), 2);  // the main window and one About box
}

}  // namespace

namespace {

// The repair action ends the program at once: nothing of it may outlive it, and it waits,
// as every end does, while the black screen is locked.
TEST(MainWindowExit, RepairEndsWithoutAGhostIconOrHeldHotkeysAndNeverWhileLocked) {
    SimProgram p;
    p.start();
    p.forms.advance(20);
    app::Frmain& f = p.frmain();
    f.Command6.raiseClick();  // the black screen puts the window into the notification area
    ASSERT_TRUE(p.sim.notifyIcon.present());
    f.Command13.raiseClick();
    EXPECT_TRUE(p.dialogs.messages().empty()) << "no repair question while locked";
    f.frmBlack.raiseMouseUp(ui::MouseButton::Left, 0, 10, 10);
    f.frmPwd.Command1.raiseClick();
    ASSERT_FALSE(f.blackScreenLocked());

    p.dialogs.answerMessage(ui::mb::kAnswerOk);
    f.Command13.raiseClick();
    ASSERT_TRUE(p.sim.shell.ended);
    EXPECT_FALSE(p.sim.notifyIcon.present());
    EXPECT_TRUE(p.sim.hotKeys.registrations().empty());
    EXPECT_TRUE(p.sim.hotKeys.atoms().empty());
}

}  // namespace
