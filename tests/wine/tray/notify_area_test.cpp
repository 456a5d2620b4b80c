// The real toolbar access and the list/hide/show/sweep logic against the fake shell: a
// real ToolbarWindow32 in another process, reached through the shell's window chain.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_notify_area.h"
#include "support/driver.h"
#include "tray/fake_shell_client.h"
#include "tray/fake_shell_protocol.h"
#include "tray/tray_toolbar.h"

using namespace wine_test;

namespace {

using Rows = std::vector<std::string>;

class NotifyAreaWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        shell_ = Process::start(programPath(L"fake_shell"));
        ASSERT_TRUE(shell_.valid());
        tray_ = waitForWindow(WindowQuery{fake_shell::kTrayClass, L"", shell_.pid(), true});
        ASSERT_NE(tray_, nullptr);
        // Wine's explorer has a Shell_TrayWnd too; ours is topmost, so it comes first.
        ASSERT_EQ(FindWindowW(fake_shell::kTrayClass, nullptr), tray_) << describeTopWindows();
        toolbar_ = tray::iconToolbar(desktop_);
        ASSERT_NE(toolbar_, platform::kNoWindow);
        DWORD owner = 0;
        GetWindowThreadProcessId(reinterpret_cast<HWND>(toolbar_), &owner);
        ASSERT_EQ(owner, shell_.pid());
    }
    void TearDown() override { shell_.terminate(); }

    // Asked of the fake shell itself, about its own toolbar.
    LRESULT ask(UINT message, WPARAM wParam = 0) { return fake_shell::ask(tray_, message, wParam); }
    std::vector<int> hiddenIds() {
        std::vector<int> ids;
        for (const fake_shell::Button& b : fake_shell::kButtons) {
            LRESULT state = ask(fake_shell::kIsHidden, b.commandId);
            EXPECT_NE(state, -1) << "the toolbar lost button " << b.commandId;
            if (state == 1) ids.push_back(b.commandId);
        }
        return ids;
    }

    platform::win32::Win32Desktop desktop_;
    platform::win32::Win32NotifyArea area_;
    Process shell_;
    HWND tray_ = nullptr;
    platform::WindowHandle toolbar_ = platform::kNoWindow;
};

TEST_F(NotifyAreaWineTest, ReadsEveryButtonByIdentifierWithLatinAndChineseTexts) {
    std::vector<tray::TrayButton> buttons = tray::readTrayButtons(desktop_, area_);
    ASSERT_EQ(buttons.size(), std::size(fake_shell::kButtons));
    for (size_t i = 0; i < buttons.size(); ++i) {
        const fake_shell::Button& expected = fake_shell::kButtons[i];
        EXPECT_EQ(buttons[i].position, static_cast<int>(i));
        EXPECT_EQ(buttons[i].commandId, expected.commandId) << "position " << i;
        if (expected.text) {
            EXPECT_EQ(buttons[i].text, std::optional<std::string>(toUtf8(expected.text)))
                << "position " << i;
        }
    }
    EXPECT_EQ(tray::listRows(buttons),
              Rows({"Volume 音量", "QQ 好友在线", "网络连接 Network", "Mail", "", "volume 音量"}));
}

TEST_F(NotifyAreaWineTest, ButtonWithoutTextString_GivesNoText) {
    auto connection = area_.connect(toolbar_);
    ASSERT_NE(connection, nullptr);
    std::optional<std::string> text = connection->buttonText(60);
    EXPECT_TRUE(!text || text->empty()) << "read \"" << *text << "\"";
    EXPECT_EQ(connection->buttonText(12345), std::nullopt) << "no button has this identifier";
    EXPECT_EQ(connection->commandId(static_cast<int>(std::size(fake_shell::kButtons))),
              std::nullopt);
}

TEST_F(NotifyAreaWineTest, HideAndShowReachTheRightButtonsInTheShell) {
    tray::HideTrayButtons(desktop_, area_, "QQ 好友在线");
    EXPECT_EQ(hiddenIds(), std::vector<int>({3, 2})) << "both neighbours with the text";

    tray::HideTrayButtons(desktop_, area_, "volume 音量");
    EXPECT_EQ(hiddenIds(), std::vector<int>({3, 2, 7})) << "letter case tells them apart";

    tray::ShowTrayButtons(desktop_, area_, "QQ 好友在线");
    tray::ShowTrayButtons(desktop_, area_, "volume 音量");
    EXPECT_TRUE(hiddenIds().empty());

    // Hidden buttons are still read and listed.
    tray::HideTrayButtons(desktop_, area_, "Mail");
    EXPECT_EQ(hiddenIds(), std::vector<int>({0}));
    EXPECT_EQ(tray::listRows(tray::readTrayButtons(desktop_, area_)).size(), 6u);
}

TEST_F(NotifyAreaWineTest, RefreshPostsOneMoveToEveryInteriorPointOfTheToolbar) {
    ASSERT_EQ(ask(fake_shell::kResetMoves), 1);
    tray::RefreshTray(desktop_, area_);
    const LRESULT expected = (fake_shell::kToolbarWidth - 1) * (fake_shell::kToolbarHeight - 1);
    EXPECT_TRUE(
        pollEquals(expected, [&] { return ask(fake_shell::kMoveCount, fake_shell::kToolbar); }));
    EXPECT_EQ(ask(fake_shell::kDistinctInteriorMoves, fake_shell::kToolbar), expected);
    EXPECT_EQ(ask(fake_shell::kMoveCount, fake_shell::kNotifyWnd), 0)
        << "this Windows version keeps its icons in SysPager's toolbar";
}

TEST_F(NotifyAreaWineTest, RepeatedOperationsLeaveNoHandleOpen) {
    DWORD before = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    for (int i = 0; i < 20; ++i) {
        tray::readTrayButtons(desktop_, area_);
        tray::HideTrayButtons(desktop_, area_, "Mail");
        tray::ShowTrayButtons(desktop_, area_, "Mail");
    }
    DWORD after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_EQ(after, before);
}

TEST_F(NotifyAreaWineTest, HungShell_OperationsGiveUpWithinTheBound) {
    PostMessageW(tray_, fake_shell::kBlock, 15000, 0);
    ASSERT_TRUE(pollUntil(
        [&] {
            DWORD_PTR r = 0;
            return !SendMessageTimeoutW(tray_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &r);
        },
        kDeadlineMs, "the fake shell to stop answering"));
    const DWORD started = GetTickCount();
    EXPECT_TRUE(tray::readTrayButtons(desktop_, area_).empty());
    tray::HideTrayButtons(desktop_, area_, "Mail");
    const DWORD took = GetTickCount() - started;
    EXPECT_LT(took, 2 * platform::win32::Win32NotifyArea::kAnswerTimeoutMs + 1000)
        << "one bounded wait per operation, not one per message";
}

TEST_F(NotifyAreaWineTest, ShellGone_OperationsDoNothing) {
    shell_.terminate();
    ASSERT_TRUE(pollUntil([&] { return !IsWindow(tray_); }));
    // Only Wine's own Shell_TrayWnd is left, and it holds no TrayNotifyWnd.
    EXPECT_EQ(tray::iconToolbar(desktop_), platform::kNoWindow);
    EXPECT_TRUE(tray::readTrayButtons(desktop_, area_).empty());
    tray::HideTrayButtons(desktop_, area_, "Mail");
    tray::RefreshTray(desktop_, area_);
    EXPECT_EQ(area_.connect(platform::kNoWindow), nullptr);
    EXPECT_EQ(area_.connect(toolbar_), nullptr) << "a window that is gone";
}

}  // namespace
