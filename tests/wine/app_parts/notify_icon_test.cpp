#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_parts_support.h"
#include "platform/win32/win32_notify_icon.h"

using app_parts_test::shellForgetIcon;
using app_parts_test::shellHasIcon;
using platform::win32::Win32NotifyIcon;
using wine_test::pollUntil;

namespace {

class Win32NotifyIconTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(icon_.window(), nullptr)
            << "callback window not created, error " << GetLastError();
        icon_.setMouseHandler([this](int msg) { received_.push_back(msg); });
    }
    bool hasIcon() { return shellHasIcon(icon_.window(), Win32NotifyIcon::kIconId); }
    std::string receivedText() {
        std::string s;
        for (int m : received_)
            s += wine_test::concat("0x", std::hex, m, " ");
        return s.empty() ? "nothing" : s;
    }

    Win32NotifyIcon icon_;
    std::vector<int> received_;
};

TEST_F(Win32NotifyIconTest, AddsOneIconAndRemovesIt) {
    EXPECT_FALSE(hasIcon());
    ASSERT_TRUE(icon_.add("Veilor")) << "Shell_NotifyIconW refused, error " << GetLastError();
    EXPECT_TRUE(icon_.present());
    EXPECT_TRUE(hasIcon());
    // A second add while it is there keeps the one icon and only changes the tip.
    EXPECT_TRUE(icon_.add("Veilor"));
    EXPECT_TRUE(icon_.setTip(std::string(200, 'x'))) << "an over-long tip is cut, not refused";
    EXPECT_TRUE(icon_.remove());
    EXPECT_FALSE(icon_.present());
    EXPECT_FALSE(hasIcon());
    EXPECT_FALSE(icon_.remove()) << "nothing left to remove";
}

TEST_F(Win32NotifyIconTest, TheCallbackWindowIsHiddenAndUntitled) {
    HWND window = icon_.window();
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowTextLengthW(window), 0);
    // Nobody else can close it from under the icon.
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(Win32NotifyIconTest, MouseMessagesOnTheIconReachTheHandler) {
    ASSERT_TRUE(icon_.add("Veilor"));
    PostMessageW(icon_.window(), platform::kNotifyIconCallback, Win32NotifyIcon::kIconId,
                 WM_LBUTTONUP);
    PostMessageW(icon_.window(), platform::kNotifyIconCallback, Win32NotifyIcon::kIconId,
                 WM_RBUTTONUP);
    EXPECT_TRUE(pollUntil([&] { return received_.size() >= 2; }, wine_test::kDeadlineMs,
                          "two mouse messages", [&] { return receivedText(); }));
    EXPECT_EQ(received_, (std::vector<int>{WM_LBUTTONUP, WM_RBUTTONUP})) << receivedText();
}

TEST_F(Win32NotifyIconTest, ClicksArrivingAfterRemoveAreIgnored) {
    ASSERT_TRUE(icon_.add("Veilor"));
    ASSERT_TRUE(icon_.remove());
    PostMessageW(icon_.window(), platform::kNotifyIconCallback, Win32NotifyIcon::kIconId,
                 WM_LBUTTONUP);
    // One pass through the queue delivers everything posted before it.
    wine_test::pumpMessages();
    EXPECT_TRUE(received_.empty()) << receivedText();
}

TEST_F(Win32NotifyIconTest, ShellRestartPutsTheIconBack) {
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    ASSERT_NE(taskbarCreated, 0u);
    ASSERT_TRUE(icon_.add("Veilor"));
    shellForgetIcon(icon_.window(), Win32NotifyIcon::kIconId);
    ASSERT_FALSE(hasIcon()) << "the shell still holds the icon";
    // The new shell announces itself to every top-level window.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    EXPECT_TRUE(pollUntil([&] { return hasIcon(); }, wine_test::kDeadlineMs, "the icon back"));

    // Without an icon kept, a restart adds nothing.
    ASSERT_TRUE(icon_.remove());
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    wine_test::pumpMessages();
    EXPECT_FALSE(hasIcon());
}

TEST(Win32NotifyIconLifetime, TheIconGoesWithItsOwner) {
    HWND window = nullptr;
    {
        Win32NotifyIcon icon;
        ASSERT_TRUE(icon.add("Veilor"));
        window = icon.window();
        ASSERT_TRUE(shellHasIcon(window, Win32NotifyIcon::kIconId));
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(shellHasIcon(window, Win32NotifyIcon::kIconId));
}

TEST(ProgramIcon, ComesFromTheExecutablesResources) {
    HICON small = platform::win32::loadProgramIcon(true);
    ASSERT_NE(small, nullptr);
    EXPECT_NE(small, LoadIconW(nullptr, IDI_APPLICATION)) << "fell back to the stock icon";
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(small, &info));
    BITMAP bm{};
    GetObjectW(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXSMICON));
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    EXPECT_NE(platform::win32::loadProgramIcon(false), nullptr);
}

}  // namespace
