// The black screen on a simulated desktop: started by its button and by Alt+B, it covers
// every monitor, locks the switching keys each time it is up, and ends only with the
// password saved on the settings page.
#include <algorithm>

#include <gtest/gtest.h>

#include "app/app_fixture.h"
#include "blackscreen/mod_black.h"
#include "ui/dialogs.h"

namespace blackscreen::testing {
namespace {

using platform::kWmKeyDown;
using platform::kWmKeyUp;
using platform::kWmSysKeyDown;
using platform::kWmSysKeyUp;

constexpr const char* kTaskManager = "C:\\Windows\\system32\\taskmgr.exe";

TEST(KeyboardLockTest, SwallowsOnlyTheSwitchingKeysOnEveryKeyMessage) {
    for (std::uint32_t message : {kWmKeyDown, kWmKeyUp, kWmSysKeyDown, kWmSysKeyUp}) {
        for (std::uint32_t vk : {9u, 46u, 91u, 92u}) {
            EXPECT_TRUE(swallowsKey(0, message, vk)) << message << " " << vk;
            // Codes other than HC_ACTION belong to the next hook, whatever the key.
            EXPECT_FALSE(swallowsKey(3, message, vk)) << message << " " << vk;
        }
        for (std::uint32_t vk : {8u, 13u, 27u, 45u, 47u, 65u, 90u, 93u, 112u, 164u}) {
            EXPECT_FALSE(swallowsKey(0, message, vk)) << message << " " << vk;
        }
    }
    EXPECT_FALSE(swallowsKey(0, 0x102 /* WM_CHAR */, 9));
}

class BlackScreenTest : public ::testing::Test {
  protected:
    BlackScreenTest() {
        program.sim.files.put(kTaskManager, "MZ");
        program.start();
        program.forms.advance(20);  // the tick that arms the hotkeys
    }
    app::Frmain& frmain() { return program.frmain(); }
    FrmBlack& black() { return frmain().frmBlack; }
    FrmPwd& prompt() { return frmain().frmPwd; }
    platform::sim::SimKeyboardHook& hook() { return program.sim.keyboardHook; }
    bool tabReachesPrograms() { return hook().reachesPrograms(0, kWmKeyDown, 9); }
    void type(const std::string& text, bool enter) {
        prompt().Text1.userSetText(text);
        if (!enter) return prompt().Command1.raiseClick();
        int key = 13;
        prompt().Text1.raiseKeyPress(key);
        EXPECT_EQ(key, 0) << "Enter goes to the check, not to the box";
    }
    void savePassword(const std::string& password) {
        frmain().Command5.raiseClick();
        for (auto& box : frmain().txtBlackPwd)
            box->userSetText(password);
        frmain().cmdSetOK.setEnabled(true);
        frmain().cmdSetOK.raiseClick();
        program.forms.advance(20);  // OK sets the hotkeys anew at the next tick
    }

    testing_support::SimProgram program;
};

TEST_F(BlackScreenTest, ButtonCoversEveryMonitorLocksAndPutsTheMainWindowAway) {
    frmain().Command6.raiseClick();
    EXPECT_TRUE(black().visible());
    platform::TwipsRect screen = program.sim.desktop.virtualScreen;
    EXPECT_EQ(black().left(), screen.left);
    EXPECT_EQ(black().top(), screen.top);
    EXPECT_EQ(black().width(), screen.width);
    EXPECT_EQ(black().height(), screen.height);
    EXPECT_TRUE(black().style().topMost);
    EXPECT_FALSE(black().style().showInTaskbar);
    EXPECT_EQ(black().style().backColor, 0);
    ASSERT_EQ(program.sim.desktop.monitorOffs.size(), 1u);
    EXPECT_EQ(program.sim.desktop.monitorOffs[0], frmain().handle());
    EXPECT_EQ(frmain().windowState(), ui::WindowState::Minimized);
    EXPECT_FALSE(tabReachesPrograms());
    EXPECT_TRUE(hook().reachesPrograms(0, kWmKeyDown, 'A'));
    EXPECT_TRUE(program.sim.files.held(kTaskManager));
    EXPECT_FALSE(program.sim.files.writeFile(kTaskManager, "replaced"));
}

TEST_F(BlackScreenTest, WrongThenRightPasswordAndEverySecondBlackScreenIsLockedToo) {
    savePassword("Geheim");
    ASSERT_EQ(program.dialogs.messages().size(), 0u);
    program.sim.keyboardHook.installs = 0;
    EXPECT_TRUE(program.sim.hotKeys.press('B', platform::modifier::kAlt));
    ASSERT_TRUE(black().visible());
    black().raiseMouseUp(ui::MouseButton::Right, 0, 10, 10);
    EXPECT_FALSE(prompt().visible()) << "a right click only switches the monitor off";
    EXPECT_EQ(program.sim.desktop.monitorOffs.size(), 2u);
    black().raiseMouseUp(ui::MouseButton::Left, 0, 10, 10);
    ASSERT_TRUE(prompt().visible());
    type("geheim", true);
    EXPECT_EQ(prompt().Label1.text(), "密码错误！");
    EXPECT_EQ(prompt().Text1.text(), "");
    EXPECT_TRUE(black().visible());
    EXPECT_FALSE(tabReachesPrograms());
    type("Geheim", false);
    EXPECT_FALSE(black().visible());
    EXPECT_FALSE(prompt().visible());
    EXPECT_TRUE(tabReachesPrograms());
    EXPECT_TRUE(program.sim.files.held(kTaskManager)) << "held until the program ends";

    frmain().Command6.raiseClick();
    EXPECT_FALSE(tabReachesPrograms()) << "the second black screen is locked as well";
    EXPECT_EQ(program.sim.keyboardHook.installs, 2);
    black().raiseMouseUp(ui::MouseButton::Left, 0, 10, 10);
    EXPECT_EQ(prompt().Label1.text(), "密码错误！") << "the line keeps the last failure";
    prompt().Command3.raiseClick();
    EXPECT_FALSE(prompt().visible());
    EXPECT_TRUE(black().visible()) << "closing the prompt never unlocks";
    EXPECT_EQ(prompt().Label1.text(), "请输入密码");

    // Taking back its place on top costs nothing once the screen is unlocked.
    auto watchesItsPlace = [&] {
        return std::ranges::count(program.forms.runningTimers(), "tmrOnTop") == 1;
    };
    EXPECT_TRUE(watchesItsPlace());
    type("Geheim", false);
    EXPECT_FALSE(watchesItsPlace());
    frmain().Command6.raiseClick();

    // The prompt lives in the black window's shadow: owned by it, and gone before it.
    EXPECT_EQ(prompt().owner(), &black());
    black().raiseMouseUp(ui::MouseButton::Left, 0, 10, 10);
    type("Geheim", false);
    ASSERT_TRUE(prompt().loaded());
    EXPECT_TRUE(black().unload());
    EXPECT_FALSE(prompt().loaded());
    EXPECT_EQ(program.forms.ownedLostWithOwner(), 0);
}

TEST_F(BlackScreenTest, NoPasswordUnlocksWithEnterAndAnUnsavedOneDoesNotCount) {
    frmain().Command5.raiseClick();
    for (auto& box : frmain().txtBlackPwd)
        box->userSetText("typed only");
    frmain().Command6.raiseClick();
    black().raiseMouseUp(ui::MouseButton::Left, 0, 10, 10);
    type("typed only", true);
    EXPECT_TRUE(black().visible());
    type("", true);
    EXPECT_FALSE(black().visible());
    EXPECT_TRUE(tabReachesPrograms());
}

TEST_F(BlackScreenTest, RefusedHookStillBlacksOutAndTheNextStartTriesAgain) {
    hook().refuse = true;
    frmain().Command6.raiseClick();
    EXPECT_TRUE(black().visible());
    EXPECT_TRUE(tabReachesPrograms());
    hook().refuse = false;
    frmain().Command6.raiseClick();
    EXPECT_FALSE(tabReachesPrograms());
}

TEST_F(BlackScreenTest, PasswordTheFileCannotKeepIsRefusedAndNothingIsSaved) {
    savePassword("old");
    const std::string before = program.configText();
    program.sim.profile.codePage = platform::sim::SimProfile::CodePage::Western;
    savePassword("密码");
    ASSERT_EQ(program.dialogs.messages().size(), 1u);
    const ui::sim::ShownMessage& refusal = program.dialogs.messages()[0];
    EXPECT_EQ(refusal.text,
              "未保存，密码中有无法保存的字符（如换行或本系统不支持的文字），请重新输入！");
    EXPECT_EQ(refusal.title, "Veilor");
    EXPECT_EQ(refusal.style, ui::mb::kOk | ui::mb::kIconExclamation);
    EXPECT_EQ(program.configText(), before);
    EXPECT_TRUE(frmain().cmdSetOK.enabled()) << "the page still holds the unsaved change";
    frmain().Command6.raiseClick();
    black().raiseMouseUp(ui::MouseButton::Left, 0, 10, 10);
    type("old", false);
    EXPECT_FALSE(black().visible()) << "the saved password still unlocks";
}

TEST_F(BlackScreenTest, TheLockIsSetAnewAtEveryStartAfterTheSystemDroppedIt) {
    frmain().Command6.raiseClick();
    ASSERT_FALSE(tabReachesPrograms());
    hook().dropSilently();
    ASSERT_TRUE(tabReachesPrograms());
    EXPECT_TRUE(program.sim.hotKeys.press('B', platform::modifier::kAlt));
    EXPECT_FALSE(tabReachesPrograms()) << "Alt+B again set the dropped lock anew";
    hook().dropSilently();
    black().raiseMouseUp(ui::MouseButton::Left, 0, 10, 10);
    type("", true);
    ASSERT_FALSE(black().visible());
    frmain().Command6.raiseClick();
    EXPECT_FALSE(tabReachesPrograms()) << "the next black screen is locked as well";
}

TEST_F(BlackScreenTest, NoCloseRequestAndNoExitEndsTheLockOnlyThePassword) {
    frmain().EndMsgbox.setValue(1);  // no exit question: an exit would go straight through
    savePassword("pw");
    ASSERT_NE(program.configText().find("EndMsg=1"), std::string::npos);
    frmain().Command6.raiseClick();
    black().raiseMouseUp(ui::MouseButton::Left, 0, 10, 10);
    ASSERT_TRUE(prompt().visible());
    EXPECT_FALSE(prompt().unload()) << "closing the prompt from outside";
    EXPECT_FALSE(prompt().visible());
    EXPECT_EQ(prompt().Label1.text(), "请输入密码");
    EXPECT_FALSE(black().unload()) << "Alt+F4 or WM_CLOSE on the black window";
    frmain().frmUnload.raiseClick();
    EXPECT_TRUE(program.sim.hotKeys.press('M', platform::modifier::kAlt));
    EXPECT_FALSE(frmain().unload()) << "Alt+F4 on the main window brought back by Alt+M";
    frmain().frmtray.raiseClick();
    frmain().mainTray.mnu_Exit();
    EXPECT_TRUE(program.sim.notifyIcon.present()) << "a refused exit leaves the way back";
    program.application->downLDFIX().unload();
    program.application->endProgram();
    EXPECT_EQ(program.quits, 0);
    EXPECT_TRUE(program.dialogs.messages().empty());
    EXPECT_TRUE(frmain().loaded());
    EXPECT_TRUE(black().visible());
    EXPECT_TRUE(frmain().blackScreenLocked());
    EXPECT_FALSE(tabReachesPrograms());

    black().raiseMouseUp(ui::MouseButton::Left, 0, 10, 10);
    type("pw", true);
    EXPECT_FALSE(frmain().blackScreenLocked());
    EXPECT_TRUE(tabReachesPrograms());
    frmain().frmUnload.raiseClick();
    EXPECT_EQ(program.quits, 1) << "unlocked, the exit works again";
}

TEST_F(BlackScreenTest, TheEndOfTheSessionEndsTheProgramTheNormalWayEvenLocked) {
    savePassword("pw");
    auto peer = program.sim.desktop.open({.className = "Peer", .title = "Report", .processId = 7});
    frmain().Command7.raiseClick();  // the one-key hide
    ASSERT_FALSE(program.sim.desktop.find(peer)->visible);
    frmain().Command6.raiseClick();
    ASSERT_TRUE(program.sim.notifyIcon.present());
    frmain().raiseSessionEnd();
    EXPECT_TRUE(program.dialogs.messages().empty()) << "nobody is there to answer a question";
    EXPECT_EQ(program.quits, 1);
    EXPECT_TRUE(program.sim.desktop.find(peer)->visible);
    EXPECT_EQ(program.sim.desktop.find(peer)->title, "Report");
    EXPECT_TRUE(tabReachesPrograms());
    EXPECT_FALSE(black().loaded());
    EXPECT_FALSE(program.sim.notifyIcon.present());
    EXPECT_TRUE(program.sim.hotKeys.atoms().empty());
}

}  // namespace
}  // namespace blackscreen::testing
