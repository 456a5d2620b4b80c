#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/constants.h"
#include "app/main_tray.h"
#include "app_parts_support.h"
#include "platform/win32/wide.h"
#include "real_parts.h"

using app_parts_test::ModalWatcher;
using app_parts_test::shellHasIcon;
using platform::win32::narrow;
using platform::win32::Win32NotifyIcon;
using wine_test::pollUntil;

namespace {

std::vector<std::string> menuCaptions(HMENU menu) {
    std::vector<std::string> captions;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        captions.push_back((info.fType & MFT_SEPARATOR) ? "-" : narrow(text));
    }
    return captions;
}

void pressKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

// The main window's part in the icon's life, wired as the main window does it.
class MainTrayWineTest : public ::testing::Test {
  protected:
    MainTrayWineTest() {
        window_.setText("Veilor 托盘测试");
        window_.setBounds(0, 0, 4800, 3000);
        window_.onResize = [this] {
            if (window_.windowState() != ui::WindowState::Minimized) {
                tray_.DelTrayIcon();
                return;
            }
            window_.hide();
            tray_.AddTrayIcon();
            tray_.SetTrayTip(app::kTitle);
        };
    }
    void SetUp() override {
        window_.show();
        ASSERT_TRUE(pollUntil([&] { return IsWindowVisible(hwnd()) != FALSE; }));
    }
    HWND hwnd() const { return reinterpret_cast<HWND>(window_.handle()); }
    bool iconInShell() {
        return shellHasIcon(parts_.notifyIcon.window(), Win32NotifyIcon::kIconId);
    }
    void iconMouse(UINT mouseMessage) {
        PostMessageW(parts_.notifyIcon.window(), platform::kNotifyIconCallback,
                     Win32NotifyIcon::kIconId, mouseMessage);
    }
    void minimiseToTray() {
        window_.setWindowState(ui::WindowState::Minimized);
        ASSERT_TRUE(pollUntil([&] { return !IsWindowVisible(hwnd()); }));
        ASSERT_TRUE(iconInShell()) << "no icon in the notification area";
    }

    app_parts_test::RealParts parts_;
    ui::Form window_{parts_.forms, 1000, "frmain"};
    app::MainTray tray_{parts_.notifyIcon, parts_.shell, parts_.system.environment, window_};
};

TEST_F(MainTrayWineTest, LeftButtonUpOnTheIconBringsTheWindowBack) {
    EXPECT_FALSE(iconInShell()) << "an icon while the window is normal";
    minimiseToTray();
    iconMouse(WM_MOUSEMOVE);
    iconMouse(WM_LBUTTONDOWN);
    wine_test::pumpMessages();
    EXPECT_FALSE(IsWindowVisible(hwnd())) << "a move or a press must not restore";
    iconMouse(WM_LBUTTONUP);
    EXPECT_TRUE(pollUntil([&] { return IsWindowVisible(hwnd()) != FALSE; }, wine_test::kDeadlineMs,
                          "the window to show"));
    EXPECT_FALSE(IsIconic(hwnd()));
    EXPECT_EQ(window_.windowState(), ui::WindowState::Normal);
    EXPECT_FALSE(iconInShell()) << "the icon stayed after the restore";
}

TEST_F(MainTrayWineTest, RightButtonUpShowsTheMenuInOrder_ShowRestores) {
    minimiseToTray();
    std::vector<std::string> top, help;
    app_parts_test::Hold hold;
    bool chose = false;
    ModalWatcher watcher([&] {
        HWND menuWindow = app_parts_test::ownWindow(L"#32768");
        if (!menuWindow) return false;
        if (top.empty()) {
            HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
            top = menuCaptions(menu);
            help = menuCaptions(GetSubMenu(menu, 0));
        }
        if (!hold.over()) return false;
        // The keyboard as a user would: past the help submenu and the line, then Enter.
        pressKey(VK_DOWN);
        pressKey(VK_DOWN);
        pressKey(VK_RETURN);
        chose = true;
        return true;
    });
    iconMouse(WM_RBUTTONUP);
    EXPECT_TRUE(pollUntil([&] { return watcher.done(); }, wine_test::kDeadlineMs + 60000,
                          "the menu to be seen and answered"));
    EXPECT_TRUE(chose) << "no menu appeared";
    EXPECT_EQ(top, (std::vector<std::string>{"帮助(H)", "-", "显示Veilor(O)", "退出(X)"}));
    EXPECT_EQ(help, (std::vector<std::string>{"关于(A)..", "-", "联机帮助(H)"}));
    EXPECT_TRUE(pollUntil([&] { return IsWindowVisible(hwnd()) != FALSE; }, wine_test::kDeadlineMs,
                          "\"显示Veilor(O)\" to show the window"));
    EXPECT_FALSE(iconInShell());
}

TEST_F(MainTrayWineTest, ShellRestartWhileInTheTrayKeepsTheWayBack) {
    minimiseToTray();
    app_parts_test::shellForgetIcon(parts_.notifyIcon.window(), Win32NotifyIcon::kIconId);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                        SMTO_ABORTIFHUNG, 5000, &result);
    ASSERT_TRUE(pollUntil([&] { return iconInShell(); }, wine_test::kDeadlineMs, "the icon back"));
    iconMouse(WM_LBUTTONUP);
    EXPECT_TRUE(pollUntil([&] { return IsWindowVisible(hwnd()) != FALSE; }));
}

}  // namespace
