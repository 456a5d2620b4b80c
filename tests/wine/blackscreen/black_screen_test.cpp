// The black screen on the real Veilor.exe, as a user meets it: a password with blanks and
// a quote saved on the settings page, Alt+B from another program, that program's window
// getting letters but no Tab, Delete or Windows key, the prompt by a click, a wrong try,
// the right one, a second black screen locked as the first, close requests that leave it
// locked, and the end of the session that ends it.
#include <windows.h>

#include <vector>

#include "hide_all/boss_keys.h"
#include "hide_all/desktop_scene.h"
#include "support/driver.h"
#include "ui/control_ids.h"

namespace {

using namespace wine_test;
using scene::DesktopScene;

constexpr wchar_t kKeyboardClass[] = L"VeilorBlackScreenDriver";
constexpr wchar_t kBlackTitle[] = L"Veilor 黑屏";
constexpr wchar_t kPromptTitle[] = L"Veilor 黑屏密码";
// Blanks at both ends and a quote: what the settings file would take off unless stored
// with care.
constexpr wchar_t kPassword[] = L" Pa\"ss ";

// The keys the driver's window was given, in order.
std::vector<WPARAM> gKeys;

LRESULT CALLBACK recordKeys(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) gKeys.push_back(wp);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool received(WPARAM key) {
    for (WPARAM k : gKeys) {
        if (k == key) return true;
    }
    return false;
}

// The task manager's file as other programs name it: a 32-bit program on a 64-bit system
// reaches the real system folder through Sysnative.
std::wstring taskManagerPath() {
    wchar_t windir[MAX_PATH] = {};
    GetEnvironmentVariableW(L"windir", windir, MAX_PATH);
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    return std::wstring(windir) + (wow64 ? L"\\Sysnative" : L"\\system32") + L"\\taskmgr.exe";
}

DWORD openForWritingError() {
    HANDLE h = CreateFileW(taskManagerPath().c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(h);
    return ERROR_SUCCESS;
}

class BlackScreenWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(keyboard_, nullptr);
        ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig()));
        ASSERT_NO_FATAL_FAILURE(keys_.waitUntilHotKeysAnswer());
    }
    void TearDown() override { DestroyWindow(keyboard_); }

    // Typed into both boxes of the black-screen tab and saved with OK.
    void savePassword(const std::wstring& password) {
        ASSERT_TRUE(clickButton(desk_.control(ui::ids::kCommand5)));
        ASSERT_NO_FATAL_FAILURE(scene::openSettingsTab(desk_, 2, ui::ids::kFrame7));
        for (int i = 0; i < 2; ++i) {
            HWND box = desk_.control(ui::ids::kTxtBlackPwd0 + i);
            ASSERT_NO_FATAL_FAILURE(scene::clickIntoControl(desk_, box));
            typeText(password);
            ASSERT_TRUE(
                pollEquals(toUtf8(password).size(), [&] { return windowText(box).size(); }));
        }
        HWND status = desk_.control(ui::ids::kLabel27);
        ASSERT_NO_FATAL_FAILURE(scene::clickUntil(
            desk_.control(ui::ids::kCmdSetOK), [&] { return windowText(status) == "已保存"; },
            "\"已保存\""));
    }

    HWND startBlackScreen() {
        keys_.pressAlt('B');
        HWND black = waitForWindow({L"", kBlackTitle, desk_.veilor().pid(), true});
        EXPECT_TRUE(pollUntil([&] { return GetForegroundWindow() == black; }, kDeadlineMs,
                              "the black window to come to the front"));
        return black;
    }

    // Keys sent while the driver's window has the keyboard; true once the letter that
    // follows them has arrived (Wine now and then drops an injected key: sent again).
    ::testing::AssertionResult sendBefore(const std::vector<WORD>& keys, WORD letter) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            SetForegroundWindow(keyboard_);
            if (!pollUntil([&] { return GetForegroundWindow() == keyboard_; }, 3000)) continue;
            gKeys.clear();
            for (WORD key : keys)
                pressKeys({key});
            pressKeys({letter});
            if (pollUntil([&] { return received(letter); }, 3000))
                return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "the driver's window never got key " << letter;
    }

    // The prompt, brought up by a left click on the black window.
    HWND openPrompt(HWND black) {
        RECT r{};
        GetWindowRect(black, &r);
        EXPECT_TRUE(clickAtPoint({(r.left + r.right) / 2, r.bottom - 40}, black));
        HWND prompt = waitForWindow({L"", kPromptTitle, desk_.veilor().pid(), true});
        HWND entry = GetDlgItem(prompt, ui::ids::kPwdText1);
        EXPECT_TRUE(pollUntil([&] { return scene::veilorFocus(desk_) == entry; }, kDeadlineMs,
                              "the entry to have the keyboard"));
        EXPECT_TRUE(pollUntil([&] { return GetForegroundWindow() == prompt; }, kDeadlineMs,
                              "the prompt to be at the front",
                              [] { return describeWindow(GetForegroundWindow()); }));
        // Seen, not only focused: a prompt beneath the black window takes keys unseen.
        RECT p{};
        GetWindowRect(prompt, &p);
        POINT middle{(p.left + p.right) / 2, (p.top + p.bottom) / 2};
        EXPECT_EQ(GetAncestor(WindowFromPoint(middle), GA_ROOT), prompt)
            << describeWindow(WindowFromPoint(middle));
        return prompt;
    }

    // A right press and release on the black window: the monitor goes off, no prompt.
    void rightClick(HWND black) {
        RECT r{};
        GetWindowRect(black, &r);
        POINT at{(r.left + r.right) / 2, r.bottom - 40};
        ASSERT_TRUE(pointerTo(at, black));
        INPUT press[2] = {mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_RIGHTDOWN, at),
                          mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_RIGHTUP, at)};
        ASSERT_EQ(SendInput(2, press, sizeof(INPUT)), 2u);
    }

    // Alt+F4 with the real keyboard on `window`, once it has the keyboard.
    void altF4On(HWND window) {
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        ASSERT_TRUE(pollUntil([&] { return GetForegroundWindow() == window; }, kDeadlineMs,
                              "the window to have the keyboard for Alt+F4",
                              [] { return describeWindow(GetForegroundWindow()); }));
        pressKeys({VK_MENU, VK_F4});
    }

    // The lock is still whole: the black window up and above the peers, Veilor running,
    // Tab swallowed.
    void expectStillLocked(HWND black, WORD letter) {
        EXPECT_TRUE(desk_.staysShown(black, 1500, "the black window"));
        EXPECT_TRUE(desk_.veilor().running()) << "Veilor ended with the screen locked";
        // Wherever the user looks, the black window is what they see.
        RECT r{};
        GetWindowRect(black, &r);
        for (int x = 0; x < 5; ++x) {
            for (int y = 0; y < 5; ++y) {
                POINT at{r.left + 10 + x * (r.right - r.left - 20) / 4,
                         r.top + 10 + y * (r.bottom - r.top - 20) / 4};
                EXPECT_EQ(GetAncestor(WindowFromPoint(at), GA_ROOT), black)
                    << at.x << "," << at.y << ": " << describeWindow(WindowFromPoint(at));
            }
        }
        ASSERT_TRUE(sendBefore({VK_TAB}, letter));
        EXPECT_FALSE(received(VK_TAB)) << "Tab got through after a close request";
    }

    void enterPassword(const std::wstring& text) {
        typeText(text);
        pressKeys({VK_RETURN});
    }

    DesktopScene desk_;
    HWND keyboard_ = openKeyboardWindow(kKeyboardClass, recordKeys);
    scene::BossKeys keys_{desk_, keyboard_};
};

TEST_F(BlackScreenWineTest, AltBLocksTheKeysAndOnlyTheSavedPasswordEndsIt) {
    ASSERT_NO_FATAL_FAILURE(savePassword(kPassword));
    EXPECT_NE(scene::readConfig().find("BlackPwd=\" Pa\"ss \"\r\n"), std::string::npos)
        << scene::readConfig();

    HWND black = startBlackScreen();
    ASSERT_NE(black, nullptr);
    RECT r{};
    GetWindowRect(black, &r);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(r.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_TRUE(GetWindowLongW(black, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // What the user sees everywhere is the black window: nothing of the peers shows.
    for (const scene::PeerWindow& peer : desk_.listedPeers()) {
        RECT p{};
        GetWindowRect(peer.window, &p);
        POINT middle{(p.left + p.right) / 2, (p.top + p.bottom) / 2};
        EXPECT_EQ(GetAncestor(WindowFromPoint(middle), GA_ROOT), black)
            << describeWindow(peer.window);
    }
    EXPECT_EQ(openForWritingError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

    ASSERT_TRUE(sendBefore({VK_TAB, VK_DELETE, VK_LWIN}, 'Q'));
    EXPECT_FALSE(received(VK_TAB) || received(VK_DELETE) || received(VK_LWIN))
        << "keys that switch away reached another program";

    HWND prompt = openPrompt(black);
    ASSERT_NE(prompt, nullptr);
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(prompt, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 80);
    EXPECT_TRUE(GetWindowLongW(prompt, GWL_EXSTYLE) & WS_EX_TOPMOST);
    HWND line = GetDlgItem(prompt, ui::ids::kPwdLabel1);
    EXPECT_EQ(windowText(line), "请输入密码");
    enterPassword(L"Pa\"ss");
    EXPECT_TRUE(pollEquals(std::string("密码错误！"), [&] { return windowText(line); }));
    EXPECT_TRUE(IsWindowVisible(black));
    holdForScreenshot();
    enterPassword(kPassword);
    EXPECT_TRUE(desk_.visibility(black, false, "the black window"));
    EXPECT_TRUE(desk_.visibility(prompt, false, "the prompt"));
    ASSERT_TRUE(sendBefore({VK_TAB}, 'W'));
    EXPECT_TRUE(received(VK_TAB)) << "Tab is free again";
    EXPECT_EQ(openForWritingError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION))
        << "the task manager stays held until Veilor ends";

    ASSERT_EQ(startBlackScreen(), black);
    ASSERT_TRUE(sendBefore({VK_TAB}, 'E'));
    EXPECT_FALSE(received(VK_TAB)) << "the second black screen let Tab through";
    openPrompt(black);
    EXPECT_EQ(windowText(line), "密码错误！") << "the line keeps the last failure";
    enterPassword(kPassword);
    EXPECT_TRUE(desk_.visibility(black, false, "the black window"));

    // Nothing but the password ends it: not Alt+F4 on the black window after a right click,
    // not a close sent by another program, not the main window's Alt+F4 (no exit question
    // in this settings file), nor the prompt's own close from outside.
    ASSERT_EQ(startBlackScreen(), black);
    ASSERT_NO_FATAL_FAILURE(rightClick(black));
    EXPECT_TRUE(desk_.staysShown(black, 500, "the black window"));
    EXPECT_FALSE(IsWindowVisible(prompt)) << "a right click brought the prompt";
    ASSERT_NO_FATAL_FAILURE(altF4On(black));
    PostMessageW(black, WM_CLOSE, 0, 0);
    PostMessageW(black, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_NO_FATAL_FAILURE(expectStillLocked(black, 'R'));
    // Another program's window that puts itself on top of everything is covered again.
    RECT k{};
    GetWindowRect(keyboard_, &k);
    POINT onIt{(k.left + k.right) / 2, (k.top + k.bottom) / 2};
    SetWindowPos(keyboard_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetAncestor(WindowFromPoint(onIt), GA_ROOT), keyboard_) << "it never came up";
    EXPECT_TRUE(pollUntil([&] { return GetAncestor(WindowFromPoint(onIt), GA_ROOT) == black; },
                          1000, "the black window to cover the window that came up over it",
                          [&] { return describeWindow(WindowFromPoint(onIt)); }));
    SetWindowPos(keyboard_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Alt+M turns the main window's own hiding over: a second press when the first only
    // hid it further.
    keys_.pressAlt('M');
    if (!IsWindowVisible(desk_.main())) keys_.pressAlt('M');
    ASSERT_TRUE(desk_.visibility(desk_.main(), true, "the main window"));
    ASSERT_NO_FATAL_FAILURE(altF4On(desk_.main()));
    PostMessageW(desk_.main(), WM_CLOSE, 0, 0);
    ASSERT_NO_FATAL_FAILURE(expectStillLocked(black, 'T'));
    openPrompt(black);
    PostMessageW(prompt, WM_CLOSE, 0, 0);
    EXPECT_TRUE(desk_.visibility(prompt, false, "the prompt closed from outside"));
    EXPECT_TRUE(pollUntil([&] { return GetForegroundWindow() == black; }, kDeadlineMs,
                          "the keyboard to go back to the black window",
                          [] { return describeWindow(GetForegroundWindow()); }));
    ASSERT_NO_FATAL_FAILURE(expectStillLocked(black, 'Y'));
    holdForScreenshot();
    openPrompt(black);
    EXPECT_EQ(windowText(line), "请输入密码") << "a closed prompt opens afresh";
    enterPassword(kPassword);
    EXPECT_TRUE(desk_.visibility(black, false, "the black window"));
    ASSERT_TRUE(sendBefore({VK_TAB}, 'U'));
    EXPECT_TRUE(received(VK_TAB)) << "Tab is free again";
    EXPECT_TRUE(desk_.veilor().running());

    // The end of the Windows session ends Veilor, locked or not, and the lock with it.
    ASSERT_EQ(startBlackScreen(), black);
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(desk_.main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                    SMTO_ABORTIFHUNG, 5000, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "Veilor held up the end of the session";
    SendMessageTimeoutW(desk_.main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                        kDeadlineMs, &answer);
    EXPECT_TRUE(desk_.veilor().waitExit());
    ASSERT_TRUE(sendBefore({VK_TAB}, 'I'));
    EXPECT_TRUE(received(VK_TAB)) << "the lock outlived Veilor";
}

}  // namespace
