// The seven hotkeys of the main window end to end on a simulated desktop: registered at
// load, each one running its action, and set anew on the settings page.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "app/app_fixture.h"
#include "ui/dialogs.h"
#include "windows/window_ops.h"

namespace app::testing {
namespace {

using platform::WindowHandle;
using platform::modifier::kAlt;
using platform::modifier::kControl;
using platform::modifier::kShift;

class BossKeyTest : public ::testing::Test {
  protected:
    BossKeyTest() {
        program.sim.notifyArea.openShell();
        program.sim.notifyArea.addButton("QQ", 5);
        taskbar = program.sim.notifyArea.trayWnd;
        progman = desktop.open({.className = "Progman", .title = "Program Manager"}, true);
        editor = desktop.open({.className = "Peer", .title = "Editor"});
    }
    Frmain& start() {
        program.start();
        program.forms.advance(20);  // the tick that arms the hotkeys
        return program.frmain();
    }
    bool press(int key, unsigned modifiers = kAlt) {
        return program.sim.hotKeys.press(key, modifiers);
    }
    bool visible(WindowHandle w) { return desktop.find(w)->visible; }
    // The user clicks into the box (the press comes before the focus) and presses keys.
    void capture(Frmain& frmain, int box, int key, int shift) {
        frmain.txtHotKey[box]->raiseMouseDown(ui::MouseButton::Left, 0, 60, 60);
        frmain.txtHotKey[box]->setFocus();
        frmain.txtHotKey[box]->raiseKeyDown(key, shift);
    }
    void makeOkUsable(Frmain& frmain) { frmain.txtBlackPwd[0]->raiseGotFocus(); }

    testing_support::SimProgram program;
    platform::sim::SimDesktop& desktop = program.sim.desktop;
    WindowHandle taskbar = platform::kNoWindow, progman = platform::kNoWindow;
    WindowHandle editor = platform::kNoWindow;
};

TEST_F(BossKeyTest, FirstStartRegistersTheSevenDefaults) {
    Frmain& frmain = start();
    const std::pair<int, const char*> expected[] = {
        {'A', "Alt + A"}, {'M', "Alt + M"}, {'T', "Alt + T"}, {'W', "Alt + W"},
        {'R', "Alt + R"}, {'B', "Alt + B"}, {'I', "Alt + I"}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(frmain.txtHotKey[i]->text(), expected[i].second);
        EXPECT_TRUE(program.sim.hotKeys.registered(kAlt, expected[i].first)) << i;
        EXPECT_EQ(frmain.hotKeyPage->HotKeyIds[i], i + 1);
    }
    EXPECT_FALSE(frmain.cmdSetOK.enabled());
}

TEST_F(BossKeyTest, HideAndRestoreByHotkey_MarksToggle) {
    Frmain& frmain = start();
    ASSERT_TRUE(press('A'));
    EXPECT_FALSE(visible(editor));
    EXPECT_EQ(desktop.find(editor)->title, "[隐藏] Editor");
    EXPECT_TRUE(program.sim.notifyArea.buttonById(5)->hidden);
    EXPECT_FALSE(frmain.visible());
    EXPECT_TRUE(frmain.reOneKey.visible());
    EXPECT_TRUE(windows::isOwnTitle(frmain.reOneKey.text())) << "the list must leave it out";
    EXPECT_EQ(frmain.labHotKey[0]->text(), "●");

    ASSERT_TRUE(press('R'));
    EXPECT_TRUE(visible(editor));
    EXPECT_EQ(desktop.find(editor)->title, "Editor");
    EXPECT_FALSE(program.sim.notifyArea.buttonById(5)->hidden);
    EXPECT_TRUE(frmain.visible());
    EXPECT_FALSE(frmain.reOneKey.visible());
    EXPECT_EQ(frmain.labHotKey[4]->text(), "●");

    press('A');
    EXPECT_EQ(frmain.labHotKey[0]->text(), "○");
}

TEST_F(BossKeyTest, HeldTaskbarHotkeyTogglesTheTaskbarOnce) {
    Frmain& frmain = start();
    // Four messages would hide the taskbar and show it again twice over.
    EXPECT_EQ(1, program.sim.hotKeys.hold('W', kAlt, 3));
    EXPECT_FALSE(visible(taskbar));
    EXPECT_EQ(frmain.windowPage.cmdhidewin.text(), "还原任务栏");
    EXPECT_EQ(frmain.labHotKey[3]->text(), "●");
}

TEST_F(BossKeyTest, WidgetClickRestoresEverything) {
    Frmain& frmain = start();
    frmain.Command7.raiseClick();
    windows::RestoreWidget& widget = frmain.reOneKey;
    widget.raiseMouseDown(ui::MouseButton::Right, 0, 100, 100);
    widget.raiseMouseUp(ui::MouseButton::Right, 0, 100, 100);
    EXPECT_TRUE(visible(editor));
    EXPECT_TRUE(frmain.visible());
    EXPECT_FALSE(widget.visible());
}

TEST_F(BossKeyTest, TaskbarHotkeyAndRestoreHotkeyBringItBack) {
    Frmain& frmain = start();
    press('W');
    EXPECT_FALSE(visible(taskbar));
    EXPECT_TRUE(frmain.reWin.visible());
    EXPECT_EQ(frmain.windowPage.cmdhidewin.text(), "还原任务栏");

    frmain.frmtray.raiseClick();  // minimised to the notification area
    press('R');
    EXPECT_TRUE(visible(taskbar));
    EXPECT_FALSE(frmain.Dowin);
    EXPECT_EQ(frmain.windowPage.cmdhidewin.text(), "隐藏任务栏");
    EXPECT_FALSE(frmain.reWin.visible());
    EXPECT_TRUE(frmain.visible());
    EXPECT_EQ(frmain.windowState(), ui::WindowState::Normal);
    EXPECT_FALSE(frmain.mainTray.iconShown());

    press('W');
    frmain.reWin.raiseMouseDown(ui::MouseButton::Left, 0, 100, 100);
    frmain.reWin.raiseMouseUp(ui::MouseButton::Left, 0, 100, 100);
    EXPECT_TRUE(visible(taskbar)) << "a click on the widget is the toggle";
    EXPECT_FALSE(frmain.reWin.visible());
}

TEST_F(BossKeyTest, SelfTrayAndDesktopIconHotkeys) {
    Frmain& frmain = start();
    press('M');
    EXPECT_FALSE(frmain.visible());
    EXPECT_TRUE(frmain.Hiden);
    press('M');
    EXPECT_TRUE(frmain.visible());

    press('T');
    EXPECT_TRUE(program.sim.notifyArea.buttonById(5)->hidden);
    EXPECT_EQ(frmain.trayPage.hideList2, std::vector<std::string>{"QQ"});

    press('I');
    EXPECT_FALSE(visible(progman));
    press('I');
    EXPECT_TRUE(visible(progman));

    press('B');
    EXPECT_EQ(frmain.labHotKey[5]->text(), "●");
}

TEST_F(BossKeyTest, FocusingABoxTurnsHotkeysOffUntilOk_NewCombinationWorksAtOnce) {
    Frmain& frmain = start();
    capture(frmain, 0, 116, ui::kCtrlMask | ui::kShiftMask);  // Ctrl+Shift+F5
    EXPECT_EQ(frmain.txtHotKey[0]->text(), "Ctrl + Shift + F5");
    EXPECT_FALSE(press('A'));
    EXPECT_FALSE(press('R')) << "every hotkey is off while a box has the focus";
    EXPECT_TRUE(visible(editor));
    EXPECT_FALSE(frmain.cmdSetOK.enabled()) << "capturing alone changes nothing";

    makeOkUsable(frmain);
    frmain.cmdSetOK.raiseClick();
    program.forms.advance(20);
    EXPECT_EQ(frmain.Label27.text(), "已保存");
    EXPECT_FALSE(frmain.cmdSetOK.enabled());
    EXPECT_NE(program.configText().find("0=116,-1,0,-1\r\n"), std::string::npos)
        << program.configText();
    EXPECT_FALSE(program.sim.hotKeys.registered(kAlt, 'A'));
    ASSERT_TRUE(press(116, kControl | kShift));
    EXPECT_FALSE(visible(editor));
}

TEST_F(BossKeyTest, CombinationHeldElsewhereEmptiesItsBoxButKeepsTheFile) {
    program.sim.hotKeys.holdElsewhere(kAlt, 'M');
    Frmain& frmain = start();
    EXPECT_EQ(frmain.txtHotKey[1]->text(), "(空)");
    EXPECT_EQ(frmain.hotKeyPage->HotKeyIds[1], -1);
    EXPECT_NE(program.configText().find("1=77,0,-1,0\r\n"), std::string::npos);

    // Two boxes with one combination: the later one is emptied on OK.
    capture(frmain, 6, 'A', ui::kAltMask);
    makeOkUsable(frmain);
    frmain.cmdSetOK.raiseClick();
    EXPECT_EQ(frmain.txtHotKey[0]->text(), "Alt + A");
    EXPECT_EQ(frmain.txtHotKey[6]->text(), "(空)");
    EXPECT_EQ(frmain.hotKeyPage->HotKeyIds[6], -1);
}

TEST_F(BossKeyTest, PasswordMismatchSavesNothing_CancelDiscards) {
    Frmain& frmain = start();
    const std::string before = program.configText();
    capture(frmain, 2, 'Q', ui::kCtrlMask);
    makeOkUsable(frmain);
    frmain.txtBlackPwd[0]->setText("secret");
    frmain.txtBlackPwd[1]->setText("secreT");
    frmain.cmdSetOK.raiseClick();
    ASSERT_EQ(program.dialogs.messages().size(), 1u);
    EXPECT_EQ(program.dialogs.messages()[0].text, "未保存，两次密码输入不一致，请重新输入！");
    EXPECT_EQ(program.dialogs.messages()[0].title, "错误");
    EXPECT_EQ(program.dialogs.messages()[0].style, ui::mb::kOk);
    EXPECT_EQ(program.configText(), before);
    EXPECT_TRUE(frmain.cmdSetOK.enabled());

    frmain.cmdSetCancel.raiseClick();
    EXPECT_EQ(frmain.txtHotKey[2]->text(), "Alt + T");
    EXPECT_EQ(frmain.txtBlackPwd[0]->text(), "");
    EXPECT_EQ(frmain.Label27.text(), "未保存");
    EXPECT_FALSE(frmain.cmdSetOK.enabled() || frmain.cmdSetCancel.enabled());
    program.forms.advance(20);
    EXPECT_TRUE(press('A')) << "Cancel arms the saved hotkeys again";
}

TEST_F(BossKeyTest, FocusHandedBackToABoxLeavesHotkeysOn_AClickIntoItTurnsThemOff) {
    Frmain& frmain = start();
    ui::TextBox& box = *frmain.txtHotKey[0];
    box.raiseGotFocus(ui::FocusCause::Restored);  // the window came back to the front
    int alt = 18;
    box.raiseKeyDown(alt, ui::kAltMask);
    EXPECT_EQ(box.text(), "Alt + A") << "the boss key's Alt must not land in the box";
    ASSERT_TRUE(press('A'));
    EXPECT_FALSE(visible(editor));
    ASSERT_TRUE(press('R'));
    EXPECT_EQ(frmain.hotKeyPage->HotKeyIds[0], 1);

    box.raiseMouseDown(ui::MouseButton::Left, 0, 10, 10);
    EXPECT_TRUE(program.sim.hotKeys.registrations().empty());
    EXPECT_EQ(frmain.hotKeyPage->HotKeyIds[0], -1);
    int q = 'Q';
    box.raiseKeyDown(q, ui::kCtrlMask);
    EXPECT_EQ(box.text(), "Ctrl + Q");
    frmain.txtHotKey[3]->setFocus();
    EXPECT_TRUE(program.sim.hotKeys.registrations().empty()) << "still among the boxes";
}

TEST_F(BossKeyTest, OkWithTheKeyboardStillInTheBox_KeysThereAreCapturedAgainAfterAClick) {
    Frmain& frmain = start();
    makeOkUsable(frmain);
    capture(frmain, 0, 'Q', ui::kCtrlMask);
    frmain.cmdSetOK.raiseClick();  // from the keyboard: the box keeps it
    program.forms.advance(20);
    int alt = 18;
    frmain.txtHotKey[0]->raiseKeyDown(alt, ui::kAltMask);
    EXPECT_EQ(frmain.txtHotKey[0]->text(), "Ctrl + Q");
    ASSERT_TRUE(press('Q', kControl));
    ASSERT_TRUE(press('R'));

    capture(frmain, 0, 'F', ui::kCtrlMask);
    EXPECT_EQ(frmain.txtHotKey[0]->text(), "Ctrl + F");
    EXPECT_TRUE(program.sim.hotKeys.registrations().empty());
}

TEST_F(BossKeyTest, LeavingTheBoxesUnsavedArmsTheSavedHotkeys_TheBoxKeepsItsEdit) {
    Frmain& frmain = start();
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"another control", [&] { frmain.Command13.setFocus(); }},
        {"another tab", [&] { frmain.TabStrip1.select(2); }},
        {"another page", [&] { frmain.Command4.raiseClick(); }},
        {"Cancel", [&] { frmain.cmdSetCancel.raiseClick(); }},
    };
    for (const auto& [way, leave] : ways) {
        SCOPED_TRACE(way);
        frmain.Command5.raiseClick();
        frmain.TabStrip1.select(1);
        capture(frmain, 1, 'Q', ui::kCtrlMask);
        ASSERT_FALSE(program.sim.hotKeys.registered(kAlt, 'M'));
        leave();
        program.forms.advance(20);
        EXPECT_TRUE(program.sim.hotKeys.registered(kAlt, 'M'));
        EXPECT_FALSE(program.sim.hotKeys.registered(kControl, 'Q')) << "only saved ones";
        EXPECT_EQ(frmain.hotKeyPage->HotKeyIds, (std::array<int, 7>{1, 2, 3, 4, 5, 6, 7}));
        EXPECT_EQ(frmain.txtHotKey[1]->text(),
                  std::string(way) == "Cancel" ? "Alt + M" : "Ctrl + Q");
        ASSERT_TRUE(press('M'));
        EXPECT_FALSE(frmain.visible());
        ASSERT_TRUE(press('M'));
    }

    // Clicking OK takes the focus out of the box first; OK then registers the box.
    frmain.Command5.raiseClick();
    capture(frmain, 1, 'Q', ui::kCtrlMask);
    makeOkUsable(frmain);
    frmain.cmdSetOK.setFocus();
    frmain.cmdSetOK.raiseClick();
    program.forms.advance(20);
    EXPECT_TRUE(program.sim.hotKeys.registered(kControl, 'Q'));
    EXPECT_FALSE(program.sim.hotKeys.registered(kAlt, 'M'));
}

TEST_F(BossKeyTest, ExitLeavesNoHotkeyRegistered) {
    Frmain& frmain = start();
    program.dialogs.answerMessage(ui::mb::kAnswerYes);
    frmain.frmUnload.raiseClick();
    EXPECT_EQ(program.quits, 1);
    EXPECT_TRUE(program.sim.hotKeys.registrations().empty());
    EXPECT_TRUE(program.sim.hotKeys.atoms().empty());
}

}  // namespace
}  // namespace app::testing
