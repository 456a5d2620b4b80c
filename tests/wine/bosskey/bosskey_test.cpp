// The boss key on the real Veilor.exe: real key presses (SendInput) while another
// window has the keyboard, against a peer program's windows and a fake shell; the
// hotkey boxes of the settings page, a combination another program holds, and a new
// combination that works as soon as it is saved.
#include <windows.h>

#include "bosskey/hotkey_holder_protocol.h"
#include "hide_all/boss_keys.h"
#include "hide_all/desktop_scene.h"
#include "support/driver.h"
#include "ui/control_ids.h"

namespace {

using namespace wine_test;
using scene::DesktopScene;

using scene::kDesktopWidget;
using scene::kOneKeyWidget;
constexpr wchar_t kFocusClass[] = L"VeilorBossKeyDriver";

class BossKeyWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig()));
        ASSERT_NE(focus_, nullptr);
        ASSERT_NO_FATAL_FAILURE(keys_.waitUntilHotKeysAnswer());
    }

    void TearDown() override { DestroyWindow(focus_); }

    HWND main() const { return desk_.main(); }

    // The page is back as it was before anything was hidden.
    void expectAllRestored(HWND widget) {
        EXPECT_TRUE(desk_.peersShown());
        EXPECT_TRUE(desk_.hiddenIcons(0));
        EXPECT_TRUE(desk_.visibility(main(), true, "Veilor's main window"));
        EXPECT_TRUE(desk_.visibility(widget, false, "the one-key widget"));
    }

    std::string mark(int index) { return keys_.mark(index); }

    DesktopScene desk_;
    HWND focus_ = openKeyboardWindow(kFocusClass);
    scene::BossKeys keys_{desk_, focus_};
};

TEST_F(BossKeyWineTest, AltAHidesEverything_AltRBringsItBack_TheMarkAlternates) {
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('A'));
    HWND widget = desk_.waitForWidget(kOneKeyWidget);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(desk_.peersHidden());
    EXPECT_TRUE(desk_.hiddenIcons(DesktopScene::kIcons));
    EXPECT_TRUE(desk_.visibility(main(), false, "Veilor's main window"));
    EXPECT_TRUE(desk_.otherPeersAsOpened());
    EXPECT_TRUE(pollEquals(std::string("●"), [&] { return mark(0); }));

    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('R'));
    expectAllRestored(widget);
    EXPECT_TRUE(pollEquals(std::string("●"), [&] { return mark(4); }));

    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('A'));
    EXPECT_TRUE(desk_.peersHidden());
    EXPECT_TRUE(pollEquals(std::string("○"), [&] { return mark(0); }));
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('R'));
    expectAllRestored(widget);
}

TEST_F(BossKeyWineTest, AltMHidesVeilorAndShowsItAgain) {
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('M'));
    EXPECT_TRUE(desk_.visibility(main(), false, "Veilor's main window"));
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('M'));
    EXPECT_TRUE(desk_.visibility(main(), true, "Veilor's main window"));
    // Only Veilor itself came and went.
    EXPECT_TRUE(desk_.peersShown());
    EXPECT_TRUE(desk_.hiddenIcons(0));
}

TEST_F(BossKeyWineTest, AltWTogglesTheTaskbar_AltRShowsItWithEverythingElse) {
    HWND toggle = desk_.control(ui::ids::kCmdhidewin);
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('W'));
    EXPECT_TRUE(desk_.visibility(desk_.taskbar(), false, "the taskbar"));
    HWND desktopWidget = desk_.waitForWidget(kDesktopWidget);
    ASSERT_NE(desktopWidget, nullptr);
    EXPECT_TRUE(pollEquals(std::string("还原任务栏"), [&] { return windowText(toggle); }));
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('W'));
    EXPECT_TRUE(desk_.visibility(desk_.taskbar(), true, "the taskbar"));
    EXPECT_TRUE(desk_.visibility(desktopWidget, false, "the desktop widget"));
    EXPECT_TRUE(pollEquals(std::string("隐藏任务栏"), [&] { return windowText(toggle); }));

    // Taskbar, desktop icons, windows and icons all hidden; one key brings all back.
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('W'));
    ASSERT_TRUE(desk_.visibility(desk_.taskbar(), false, "the taskbar"));
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('I'));
    ASSERT_TRUE(desk_.visibility(desk_.progman(), false, "the desktop window"));
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('A'));
    HWND widget = desk_.waitForWidget(kOneKeyWidget);
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(desk_.peersHidden());

    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('R'));
    expectAllRestored(widget);
    EXPECT_TRUE(desk_.visibility(desk_.taskbar(), true, "the taskbar"));
    EXPECT_TRUE(desk_.visibility(desktopWidget, false, "the desktop widget"));
    EXPECT_TRUE(desk_.visibility(desk_.progman(), true, "the desktop window"));
    EXPECT_TRUE(pollEquals(std::string("隐藏任务栏"), [&] { return windowText(toggle); }));
}

// The settings page's hotkey boxes, driven with the real mouse and keyboard.
class HotKeyBoxWineTest : public BossKeyWineTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(BossKeyWineTest::SetUp());
        ASSERT_TRUE(clickButton(desk_.control(ui::ids::kCommand5)));
        ASSERT_TRUE(desk_.visibility(desk_.control(ui::ids::kFrame4), true, "the settings page"));
    }

    HWND box(int index) { return desk_.control(ui::ids::kTxtHotKey0 + index); }

    void openTab(int tab, int frameId) { scene::openSettingsTab(desk_, tab, frameId); }
    HWND veilorFocus() { return scene::veilorFocus(desk_); }

    // Focuses a box with the mouse and presses the keys in it.
    void capture(int index, const std::vector<WORD>& keys, const std::string& shown) {
        ASSERT_NO_FATAL_FAILURE(scene::clickIntoControl(desk_, box(index)));
        // A box with the keyboard takes every hotkey off, or the keys would never reach
        // it: the one-key hide's combination becomes free for anyone to take.
        ASSERT_TRUE(scene::altAFree()) << "while a hotkey box has the keyboard";
        pressKeys(keys);
        EXPECT_TRUE(pollEquals(shown, [&] { return windowText(box(index)); }));
    }

    // A click in the password box counts as a change, which is what enables OK.
    void saveWithOk() {
        HWND ok = desk_.control(ui::ids::kCmdSetOK);
        ASSERT_FALSE(IsWindowEnabled(ok)) << "a captured key should not enable OK; Veilor's "
                                          << "focus is on " << describeWindow(veilorFocus());
        ASSERT_NO_FATAL_FAILURE(openTab(2, ui::ids::kFrame7));
        // As with the boxes above, a click that did not land is made again.
        bool enabled = false;
        for (int attempt = 0; attempt < 5 && !enabled; ++attempt) {
            ASSERT_TRUE(clickWithMouse(desk_.control(ui::ids::kTxtBlackPwd0)));
            enabled = pollUntil([&] { return IsWindowEnabled(ok) != FALSE; }, 4000);
        }
        ASSERT_TRUE(enabled) << "OK stayed disabled after clicks in the password box";
        ASSERT_TRUE(clickButton(ok));
        EXPECT_TRUE(pollEquals(std::string("已保存"),
                               [&] { return windowText(desk_.control(ui::ids::kLabel27)); }));
    }

    ::testing::AssertionResult configHas(const std::string& line) {
        return pollUntil([&] { return scene::readConfig().find(line) != std::string::npos; },
                         kDeadlineMs, concat("Config.ini to hold ", line),
                         [] { return scene::readConfig(); });
    }
};

TEST_F(HotKeyBoxWineTest, NewCombinationIsSavedAndWorksAtOnce_TheOldOneIsFree) {
    ASSERT_NO_FATAL_FAILURE(openTab(1, ui::ids::kFrame6));
    // While a box has the keyboard the hotkeys are off: the combination lands in the box.
    ASSERT_NO_FATAL_FAILURE(capture(0, {VK_MENU, 'A'}, "Alt + A"));
    EXPECT_TRUE(desk_.staysShown(desk_.listedPeers().front().window, 1000, "a peer window"));
    ASSERT_NO_FATAL_FAILURE(capture(0, {VK_CONTROL, VK_SHIFT, VK_F5}, "Ctrl + Shift + F5"));
    ASSERT_NO_FATAL_FAILURE(saveWithOk());
    EXPECT_TRUE(configHas("\r\n0=116,-1,0,-1\r\n"));

    ASSERT_NO_FATAL_FAILURE(keys_.press({VK_MENU, 'A'}));
    EXPECT_TRUE(desk_.staysShown(desk_.listedPeers().front().window, 1000, "a peer window"));
    ASSERT_NO_FATAL_FAILURE(keys_.pressHotKey(0, {VK_CONTROL, VK_SHIFT, VK_F5}));
    HWND widget = desk_.waitForWidget(kOneKeyWidget);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(desk_.peersHidden());
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('R'));
    expectAllRestored(widget);
}

// Starts a peer that takes `modifiers` + `key` for itself.
Process holdHotKey(UINT modifiers, UINT key, HWND* holderWindow) {
    Process holder = Process::start(programPath(L"hotkey_holder"),
                                    std::to_wstring(modifiers) + L" " + std::to_wstring(key));
    *holderWindow = waitForWindow(WindowQuery{hotkey_holder::kClass, L"", holder.pid(), true});
    return holder;
}

LRESULT pressesReceived(HWND holder) {
    DWORD_PTR count = 0;
    SendMessageTimeoutW(holder, hotkey_holder::kPressCount, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    return static_cast<LRESULT>(count);
}

TEST_F(HotKeyBoxWineTest, CombinationAnotherProgramHoldsEmptiesItsBoxOnOk) {
    ASSERT_NO_FATAL_FAILURE(openTab(1, ui::ids::kFrame6));
    ASSERT_NO_FATAL_FAILURE(capture(2, {VK_CONTROL, VK_MENU, 'K'}, "Ctrl + Alt + K"));
    // Another program takes the combination before the user saves it. (Once it is taken,
    // pressing it reaches that program and never the box.)
    HWND holderWindow = nullptr;
    Process holder = holdHotKey(MOD_CONTROL | MOD_ALT, 'K', &holderWindow);
    ASSERT_NE(holderWindow, nullptr);
    ASSERT_NO_FATAL_FAILURE(saveWithOk());
    EXPECT_TRUE(pollEquals(std::string("(空)"), [&] { return windowText(box(2)); }));
    // The file keeps what the user chose; the next start tries it again.
    EXPECT_TRUE(configHas("\r\n2=75,-1,-1,0\r\n"));

    // The holder still gets its combination, and Veilor's other hotkeys are back on.
    ASSERT_NO_FATAL_FAILURE(keys_.press({VK_CONTROL, VK_MENU, 'K'}));
    EXPECT_TRUE(pollEquals(static_cast<LRESULT>(1), [&] { return pressesReceived(holderWindow); }));
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('A'));
    HWND widget = desk_.waitForWidget(kOneKeyWidget);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(desk_.peersHidden());
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('R'));
    expectAllRestored(widget);
}

class HeldAtStartWineTest : public ::testing::Test {
  protected:
    DesktopScene desk_;
};

TEST_F(HeldAtStartWineTest, DefaultHeldByAnotherProgramShowsEmptyAndTheFileKeepsIt) {
    ASSERT_NO_FATAL_FAILURE(desk_.prepare(scene::defaultConfig()));
    HWND holderWindow = nullptr;
    Process holder = holdHotKey(MOD_ALT, 'I', &holderWindow);
    ASSERT_NE(holderWindow, nullptr);
    ASSERT_NO_FATAL_FAILURE(desk_.startVeilor());

    HWND box6 = desk_.control(ui::ids::kTxtHotKey0 + 6);
    EXPECT_TRUE(pollEquals(std::string("(空)"), [&] { return windowText(box6); }));
    EXPECT_EQ(windowText(desk_.control(ui::ids::kTxtHotKey0)), "Alt + A");
    EXPECT_EQ(scene::readConfig(), scene::defaultConfig());
}

}  // namespace
