// The boss key on the real Veilor.exe after a visit to a hotkey box: a box switches every
// hotkey off only while the user is in it. Real clicks into the box, real keys, against
// the peer program's windows and the fake shell.
#include <windows.h>

#include "hide_all/boss_keys.h"
#include "hide_all/desktop_scene.h"
#include "support/driver.h"
#include "ui/control_ids.h"

namespace {

using namespace wine_test;
using scene::DesktopScene;

using scene::kOneKeyWidget;
constexpr wchar_t kKeyboardClass[] = L"VeilorHardeningDriver";

class HotKeyFocusWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig()));
        ASSERT_NE(keyboard_, nullptr);
        ASSERT_NO_FATAL_FAILURE(keys_.waitUntilHotKeysAnswer());
        ASSERT_TRUE(clickButton(desk_.control(ui::ids::kCommand5)));
        ASSERT_TRUE(desk_.visibility(desk_.control(ui::ids::kFrame4), true, "the settings page"));
    }
    void TearDown() override { DestroyWindow(keyboard_); }

    HWND box(int index) { return desk_.control(ui::ids::kTxtHotKey0 + index); }

    // The user clicks into a box: every hotkey is off while they are in it.
    void goIntoBox(int index) {
        ASSERT_NO_FATAL_FAILURE(scene::openSettingsTab(desk_, 1, ui::ids::kFrame6));
        ASSERT_NO_FATAL_FAILURE(scene::clickIntoControl(desk_, box(index)));
        ASSERT_TRUE(scene::altAFree()) << "while the user is in a hotkey box";
    }

    // Ticks an option and unticks it again with the mouse: a change as far as OK is
    // concerned, with the settings as they were.
    void changeAndRevertAnOption() {
        ASSERT_NO_FATAL_FAILURE(scene::openSettingsTab(desk_, 0, ui::ids::kFrame5));
        HWND option = desk_.control(ui::ids::kCheckStartMini);
        for (LRESULT want : {BST_CHECKED, BST_UNCHECKED}) {
            ASSERT_NO_FATAL_FAILURE(scene::clickUntil(
                option, [&] { return SendMessageW(option, BM_GETCHECK, 0, 0) == want; },
                concat("check state ", want)));
        }
        EXPECT_TRUE(pollUntil([&] { return IsWindowEnabled(desk_.control(ui::ids::kCmdSetOK)); },
                              kDeadlineMs, "OK to be enabled"));
    }

    void saveWithOk() {
        HWND status = desk_.control(ui::ids::kLabel27);
        ASSERT_NO_FATAL_FAILURE(scene::clickUntil(
            desk_.control(ui::ids::kCmdSetOK), [&] { return windowText(status) == "已保存"; },
            "\"已保存\""));
    }

    // One-key hide and restore both answer, from any program.
    void hideAndRestore() {
        ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('A'));
        HWND widget = desk_.waitForWidget(kOneKeyWidget);
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(desk_.peersHidden());
        EXPECT_TRUE(desk_.visibility(desk_.main(), false, "Veilor's main window"));
        ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('R'));
        EXPECT_TRUE(desk_.peersShown());
        EXPECT_TRUE(desk_.visibility(desk_.main(), true, "Veilor's main window"));
        EXPECT_TRUE(desk_.visibility(widget, false, "the one-key widget"));
    }

    DesktopScene desk_;
    HWND keyboard_ = openKeyboardWindow(kKeyboardClass);
    scene::BossKeys keys_{desk_, keyboard_};
};

// Veilor gives the keyboard back to the control that had it when its window went to the
// back: here the box, which the user left for another program and came back from.
TEST_F(HotKeyFocusWineTest, AfterABoxAndOk_TheWindowComingBackToTheBoxLeavesTheBossKeyOn) {
    ASSERT_NO_FATAL_FAILURE(changeAndRevertAnOption());
    ASSERT_NO_FATAL_FAILURE(goIntoBox(0));
    ASSERT_NO_FATAL_FAILURE(keys_.turnToAnotherProgram());
    ASSERT_NO_FATAL_FAILURE(saveWithOk());
    ASSERT_NO_FATAL_FAILURE(hideAndRestore());

    ASSERT_TRUE(bringToFront(desk_.main()));
    ASSERT_TRUE(pollUntil([&] { return scene::veilorFocus(desk_) == box(0); }, kDeadlineMs,
                          "Veilor's keyboard back in box 0",
                          [&] { return describeWindow(scene::veilorFocus(desk_)); }));
    ASSERT_NO_FATAL_FAILURE(hideAndRestore());
    EXPECT_EQ(windowText(box(0)), "Alt + A");
}

// OK leaves Veilor's keyboard nowhere (the button it went to is disabled); the next click
// into a box is the user's all the same.
TEST_F(HotKeyFocusWineTest, StraightAfterOk_AClickIntoABoxSwitchesTheHotkeysOff) {
    ASSERT_NO_FATAL_FAILURE(changeAndRevertAnOption());
    ASSERT_NO_FATAL_FAILURE(goIntoBox(0));
    ASSERT_NO_FATAL_FAILURE(saveWithOk());
    ASSERT_NO_FATAL_FAILURE(goIntoBox(1));
    pressKeys({VK_CONTROL, VK_F6});
    EXPECT_TRUE(pollEquals(std::string("Ctrl + F6"), [&] { return windowText(box(1)); }));
}

TEST_F(HotKeyFocusWineTest, BoxLeftForAnotherPageWithoutOk_TheBossKeyIsOnAgain) {
    ASSERT_NO_FATAL_FAILURE(goIntoBox(0));
    HWND windowPage = desk_.control(ui::ids::kFrame1);
    ASSERT_NO_FATAL_FAILURE(scene::clickUntil(
        desk_.control(ui::ids::kCommand1), [&] { return IsWindowVisible(windowPage) != FALSE; },
        "window page"));
    ASSERT_TRUE(desk_.visibility(windowPage, true, "the window page"));
    ASSERT_NO_FATAL_FAILURE(hideAndRestore());
}

}  // namespace
