// The boss key on the real Veilor.exe: real key presses (SendInput) while another
// window has the keyboard, against a peer program's windows and a fake shell; the
// hotkey boxes of the settings page, a combination another program holds, and a new
// combination that works as soon as it is saved.
#include <windows.h>

#include <iostream>

#include "bosskey/hotkey_holder_protocol.h"
#include "hide_all/desktop_scene.h"
#include "support/driver.h"
#include "ui/control_ids.h"

namespace {

using namespace wine_test;
using scene::DesktopScene;

constexpr wchar_t kOneKeyWidget[] = L"Veilor 一键还原";
constexpr wchar_t kDesktopWidget[] = L"Veilor 还原桌面";
constexpr wchar_t kFocusClass[] = L"VeilorBossKeyDriver";

class BossKeyWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig()));
        ASSERT_NE(focus_, nullptr);
        ASSERT_NO_FATAL_FAILURE(waitUntilHotKeysAnswer());
    }

    // Veilor shows its window a moment before its hotkeys are armed (a few hundred ms
    // here), and a press in between is dropped. The hide-self key, pressed until it
    // answers and once more to bring the window back, tells when they are.
    void waitUntilHotKeysAnswer() {
        const ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
        do {
            ASSERT_NO_FATAL_FAILURE(press({VK_MENU, 'M'}));
            if (pollUntil([&] { return !IsWindowVisible(main()); }, 500)) {
                ASSERT_NO_FATAL_FAILURE(press({VK_MENU, 'M'}));
                ASSERT_TRUE(desk_.visibility(main(), true, "Veilor's main window"));
                return;
            }
        } while (GetTickCount64() < deadline);
        FAIL() << "Veilor's hotkeys did not answer within " << kDeadlineMs << " ms";
    }
    void TearDown() override { DestroyWindow(focus_); }

    HWND main() const { return desk_.main(); }

    // Presses a combination while another program than Veilor has the keyboard: the
    // driver's window when it can come to the front (a peer whose thread does not answer
    // may keep the front under Wine; hotkeys do not care which program has it).
    void press(const std::vector<WORD>& keys) {
        SetForegroundWindow(focus_);
        if (!pollUntil([&] { return GetForegroundWindow() == focus_; }, 1000)) {
            // Wine may refuse a program the front; a click on the window's part that
            // Veilor's window does not cover brings it there, as for a user.
            RECT r{};
            GetWindowRect(focus_, &r);
            scene::clickAt(r.right - 20, (r.top + r.bottom) / 2, focus_);
            pollUntil([&] { return GetForegroundWindow() == focus_; }, 3000);
        }
        ASSERT_TRUE(pollUntil(
            [&] {
                DWORD owner = 0;
                GetWindowThreadProcessId(GetForegroundWindow(), &owner);
                return owner != desk_.veilor().pid();
            },
            kDeadlineMs, "another program than Veilor to have the keyboard",
            [] { return describeWindow(GetForegroundWindow()); }));
        pressKeys(keys);
    }

    // Presses one of Veilor's hotkeys and waits until Veilor has taken it: every press
    // turns the hotkey's mark over. Wine under Xvfb now and then drops an injected
    // combination on its way (the mark stays as it was); such a press is made again, as a
    // user would. A press taken twice turns the mark back and is not mistaken for one.
    void pressHotKey(int index, const std::vector<WORD>& keys) {
        const std::string before = mark(index);
        for (int attempt = 0; attempt < 3; ++attempt) {
            ASSERT_NO_FATAL_FAILURE(press(keys));
            if (pollUntil([&] { return mark(index) != before; }, 5000)) return;
            std::cout << "hotkey " << index << " was not taken; pressed again\n";
        }
        FAIL() << "Veilor did not take hotkey " << index << " in three presses";
    }
    // Alt with a letter of the default settings.
    void pressAlt(char letter) {
        const std::string letters = "AMTWRBI";
        ASSERT_NE(letters.find(letter), std::string::npos) << letter;
        pressHotKey(static_cast<int>(letters.find(letter)), {VK_MENU, static_cast<WORD>(letter)});
    }

    // The page is back as it was before anything was hidden.
    void expectAllRestored(HWND widget) {
        EXPECT_TRUE(desk_.peersShown());
        EXPECT_TRUE(desk_.hiddenIcons(0));
        EXPECT_TRUE(desk_.visibility(main(), true, "Veilor's main window"));
        EXPECT_TRUE(desk_.visibility(widget, false, "the one-key widget"));
    }

    std::string mark(int index) { return windowText(desk_.control(ui::ids::kLabHotKey0 + index)); }

    DesktopScene desk_;
    HWND focus_ = openKeyboardWindow(kFocusClass);
};

TEST_F(BossKeyWineTest, AltAHidesEverything_AltRBringsItBack_TheMarkAlternates) {
    ASSERT_NO_FATAL_FAILURE(pressAlt('A'));
    HWND widget = desk_.waitForWidget(kOneKeyWidget);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(desk_.peersHidden());
    EXPECT_TRUE(desk_.hiddenIcons(DesktopScene::kIcons));
    EXPECT_TRUE(desk_.visibility(main(), false, "Veilor's main window"));
    EXPECT_TRUE(desk_.otherPeersAsOpened());
    EXPECT_TRUE(pollEquals(std::string("●"), [&] { return mark(0); }));

    ASSERT_NO_FATAL_FAILURE(pressAlt('R'));
    expectAllRestored(widget);
    EXPECT_TRUE(pollEquals(std::string("●"), [&] { return mark(4); }));

    ASSERT_NO_FATAL_FAILURE(pressAlt('A'));
    EXPECT_TRUE(desk_.peersHidden());
    EXPECT_TRUE(pollEquals(std::string("○"), [&] { return mark(0); }));
    ASSERT_NO_FATAL_FAILURE(pressAlt('R'));
    expectAllRestored(widget);
}

TEST_F(BossKeyWineTest, AltMHidesVeilorAndShowsItAgain) {
    ASSERT_NO_FATAL_FAILURE(pressAlt('M'));
    EXPECT_TRUE(desk_.visibility(main(), false, "Veilor's main window"));
    ASSERT_NO_FATAL_FAILURE(pressAlt('M'));
    EXPECT_TRUE(desk_.visibility(main(), true, "Veilor's main window"));
    // Only Veilor itself came and went.
    EXPECT_TRUE(desk_.peersShown());
    EXPECT_TRUE(desk_.hiddenIcons(0));
}

TEST_F(BossKeyWineTest, AltWTogglesTheTaskbar_AltRShowsItWithEverythingElse) {
    HWND toggle = desk_.control(ui::ids::kCmdhidewin);
    ASSERT_NO_FATAL_FAILURE(pressAlt('W'));
    EXPECT_TRUE(desk_.visibility(desk_.taskbar(), false, "the taskbar"));
    HWND desktopWidget = desk_.waitForWidget(kDesktopWidget);
    ASSERT_NE(desktopWidget, nullptr);
    EXPECT_TRUE(pollEquals(std::string("还原任务栏"), [&] { return windowText(toggle); }));
    ASSERT_NO_FATAL_FAILURE(pressAlt('W'));
    EXPECT_TRUE(desk_.visibility(desk_.taskbar(), true, "the taskbar"));
    EXPECT_TRUE(desk_.visibility(desktopWidget, false, "the desktop widget"));
    EXPECT_TRUE(pollEquals(std::string("隐藏任务栏"), [&] { return windowText(toggle); }));

    // Taskbar, desktop icons, windows and icons all hidden; one key brings all back.
    ASSERT_NO_FATAL_FAILURE(pressAlt('W'));
    ASSERT_TRUE(desk_.visibility(desk_.taskbar(), false, "the taskbar"));
    ASSERT_NO_FATAL_FAILURE(pressAlt('I'));
    ASSERT_TRUE(desk_.visibility(desk_.progman(), false, "the desktop window"));
    ASSERT_NO_FATAL_FAILURE(pressAlt('A'));
    HWND widget = desk_.waitForWidget(kOneKeyWidget);
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(desk_.peersHidden());

    ASSERT_NO_FATAL_FAILURE(pressAlt('R'));
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

    // Clicks a tab's header: the hotkeys (1) or the black-screen lock (2).
    void openTab(int tab, int frameId) {
        RECT tabs{};
        HWND tabStrip = desk_.control(ui::ids::kTabStrip1);
        GetWindowRect(tabStrip, &tabs);
        HWND frame = desk_.control(frameId);
        for (int attempt = 0; attempt < 5 && !IsWindowVisible(frame); ++attempt) {
            SetForegroundWindow(main());
            ASSERT_TRUE(pollUntil([&] { return GetForegroundWindow() == main(); }, kDeadlineMs,
                                  "Veilor to come to the front",
                                  [] { return describeWindow(GetForegroundWindow()); }));
            ASSERT_TRUE(scene::clickAt(tabs.left + 40 + 60 * tab, tabs.top + 10, tabStrip));
            pollUntil([&] { return IsWindowVisible(frame) != FALSE; }, 4000);
        }
        ASSERT_TRUE(desk_.visibility(frame, true, "the tab's frame"));
    }

    HWND veilorFocus() {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(main(), nullptr), &info);
        return info.hwndFocus;
    }

    // Focuses a box with the mouse and presses the keys in it.
    void capture(int index, const std::vector<WORD>& keys, const std::string& shown) {
        // Under Wine the activation that a click brings can lose a race with the driver's
        // own window; a user whose click did not land clicks again.
        bool focused = false;
        for (int attempt = 0; attempt < 5 && !focused; ++attempt) {
            ASSERT_TRUE(clickWithMouse(box(index)));
            focused = pollUntil([&] { return veilorFocus() == box(index); }, 4000);
        }
        ASSERT_TRUE(focused) << "the box never got the keyboard; it is with "
                             << describeWindow(veilorFocus());
        // A box with the keyboard takes every hotkey off, or the keys would never reach
        // it: the one-key hide's combination becomes free for anyone to take.
        ASSERT_TRUE(pollUntil(
            [] {
                if (!RegisterHotKey(nullptr, 1, MOD_ALT, 'A')) return false;
                UnregisterHotKey(nullptr, 1);
                return true;
            },
            kDeadlineMs, "Alt+A to be free while a hotkey box has the keyboard"));
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

    ASSERT_NO_FATAL_FAILURE(press({VK_MENU, 'A'}));
    EXPECT_TRUE(desk_.staysShown(desk_.listedPeers().front().window, 1000, "a peer window"));
    ASSERT_NO_FATAL_FAILURE(pressHotKey(0, {VK_CONTROL, VK_SHIFT, VK_F5}));
    HWND widget = desk_.waitForWidget(kOneKeyWidget);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(desk_.peersHidden());
    ASSERT_NO_FATAL_FAILURE(pressAlt('R'));
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
    ASSERT_NO_FATAL_FAILURE(press({VK_CONTROL, VK_MENU, 'K'}));
    EXPECT_TRUE(pollEquals(static_cast<LRESULT>(1), [&] { return pressesReceived(holderWindow); }));
    ASSERT_NO_FATAL_FAILURE(pressAlt('A'));
    HWND widget = desk_.waitForWidget(kOneKeyWidget);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(desk_.peersHidden());
    ASSERT_NO_FATAL_FAILURE(pressAlt('R'));
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
