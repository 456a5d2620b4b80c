// Hide-everything on the real Veilor.exe through its buttons, against a peer program's
// windows and a fake shell's icons, taskbar and desktop window: the one-key hide and the
// widget that brings everything back, the taskbar and desktop-icon toggles, and the exit
// that restores whatever is still hidden.
#include <windows.h>

#include "hide_all/desktop_scene.h"
#include "support/driver.h"
#include "ui/control_ids.h"

namespace {

using namespace wine_test;
using scene::DesktopScene;

using scene::kDesktopWidget;
using scene::kOneKeyWidget;

class HideAllWineTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig())); }

    HWND main() const { return desk_.main(); }
    // Bounded generously: with twenty icons a one-key hide keeps Veilor busy for
    // seconds under Wine, more on a loaded machine; a hang still fails the click.
    ::testing::AssertionResult click(int id) { return clickButton(desk_.control(id), 30000); }

    // Opens the window page, where the taskbar toggle sits.
    void openWindowPage() {
        ASSERT_TRUE(click(ui::ids::kCommand1));
        ASSERT_TRUE(
            desk_.visibility(desk_.control(ui::ids::kCmdhidewin), true, "the taskbar toggle"));
    }

    // The one-key hide has put everything away and the widget is up, fully visible at
    // its place at the top edge until it docks there.
    // untouched: no pointer has been near the widget since it was last shown, so it
    // stays fully visible until its first docking. (A second round follows a real click on
    // its strip: the release of that click starts the docking, which finishes once the
    // widget is hidden, so it may rightly come back already docked.)
    HWND oneKeyHide(bool untouched = true) {
        // The pointer may still rest where an earlier run clicked a widget.
        EXPECT_TRUE(
            scene::moveMouse(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) - 2));
        const DWORD clicked = GetTickCount();
        EXPECT_TRUE(click(ui::ids::kCommand7));
        EXPECT_TRUE(desk_.peersHidden());
        EXPECT_TRUE(desk_.hiddenIcons(DesktopScene::kIcons));
        EXPECT_TRUE(desk_.visibility(main(), false, "Veilor's main window"));
        HWND widget = desk_.waitForWidget(kOneKeyWidget);
        if (!widget) return nullptr;
        RECT r{};
        GetWindowRect(widget, &r);
        if (untouched) {
            EXPECT_EQ(r.top, 0) << "the widget should first be fully visible";
        }
        EXPECT_TRUE(desk_.widgetLooksRight(widget));
        EXPECT_TRUE(desk_.dockedAtTop(widget));
        if (untouched) {
            EXPECT_GE(GetTickCount() - clicked, 1000u)
                << "the widget docked without showing itself";
        }
        return widget;
    }

    DesktopScene desk_;
};

TEST_F(HideAllWineTest, OneKeyHideHidesEveryWindowAndIcon_TheWidgetBringsThemBack) {
    HWND widget = oneKeyHide();
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(desk_.otherPeersAsOpened());
    DWORD veilor = 0;
    GetWindowThreadProcessId(widget, &veilor);
    EXPECT_EQ(veilor, desk_.veilor().pid());
    // Its place at load: 11220 twips from the left.
    RECT r{};
    GetWindowRect(widget, &r);
    EXPECT_NEAR(r.left, 748, 1);

    ASSERT_TRUE(desk_.slideOutAndClick(widget));
    EXPECT_TRUE(desk_.peersShown());
    EXPECT_TRUE(desk_.hiddenIcons(0));
    EXPECT_TRUE(desk_.visibility(main(), true, "Veilor's main window"));
    EXPECT_TRUE(desk_.visibility(widget, false, "the one-key widget"));
    EXPECT_TRUE(desk_.otherPeersAsOpened());

    // A second round: the widget keeps its window and docks again from where it was.
    HWND again = oneKeyHide(false);
    EXPECT_EQ(again, widget);
    ASSERT_TRUE(again);
    ASSERT_TRUE(desk_.slideOutAndClick(again));
    EXPECT_TRUE(desk_.peersShown());
    EXPECT_TRUE(desk_.hiddenIcons(0));
}

TEST_F(HideAllWineTest, WindowWhoseProgramStoppedAnsweringStaysShownUnmarked) {
    ASSERT_TRUE(desk_.blockPeer());
    ASSERT_TRUE(click(ui::ids::kCommand7));
    std::vector<scene::PeerWindow> answering;
    for (const scene::PeerWindow& peer : desk_.listedPeers()) {
        if (peer.window != desk_.blockingPeer().window) answering.push_back(peer);
    }
    EXPECT_TRUE(desk_.peersHidden(answering));
    DWORD_PTR r = 0;
    EXPECT_TRUE(SendMessageTimeoutW(main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &r))
        << "Veilor stopped answering";

    // Once it answers again it has handled whatever Veilor sent it: a window hidden
    // without its marker could never be found again.
    desk_.releasePeer();
    ASSERT_TRUE(pollUntil([&] {
        return SendMessageTimeoutW(desk_.blockingPeer().window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                   1000, &r) != 0;
    }));
    EXPECT_TRUE(desk_.peersShown({desk_.blockingPeer()}));
}

TEST_F(HideAllWineTest, OnlyVisibleListHidesEnabledWindowsAndIsCheckedAgainAfterRestore) {
    ASSERT_NO_FATAL_FAILURE(openWindowPage());
    HWND visibleOnly = desk_.control(ui::ids::kChkVisible);
    ASSERT_TRUE(clickButton(visibleOnly));
    ASSERT_TRUE(pollEquals(static_cast<LRESULT>(BST_CHECKED),
                           [&] { return SendMessageW(visibleOnly, BM_GETCHECK, 0, 0); }));

    HWND widget = oneKeyHide();
    ASSERT_NE(widget, nullptr);
    // The disabled window is listed as a frozen row, which names no window.
    EXPECT_TRUE(desk_.otherPeersAsOpened());
    ASSERT_TRUE(desk_.slideOutAndClick(widget));
    EXPECT_TRUE(desk_.peersShown());
    EXPECT_TRUE(pollEquals(static_cast<LRESULT>(BST_CHECKED),
                           [&] { return SendMessageW(visibleOnly, BM_GETCHECK, 0, 0); }));
}

TEST_F(HideAllWineTest, TaskbarToggleHidesTheTaskbarAndTheDesktopWidgetBringsItBack) {
    ASSERT_NO_FATAL_FAILURE(openWindowPage());
    HWND toggle = desk_.control(ui::ids::kCmdhidewin);
    EXPECT_EQ(windowText(toggle), "隐藏任务栏");

    ASSERT_TRUE(clickButton(toggle));
    EXPECT_TRUE(desk_.visibility(desk_.taskbar(), false, "the taskbar"));
    EXPECT_TRUE(pollEquals(std::string("还原任务栏"), [&] { return windowText(toggle); }));
    HWND widget = desk_.waitForWidget(kDesktopWidget);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(desk_.widgetLooksRight(widget));
    RECT r{};
    GetWindowRect(widget, &r);
    EXPECT_NEAR(r.left, 683, 1) << "its place at load: 10245 twips from the left";
    // Nothing else was touched.
    EXPECT_TRUE(desk_.peersShown());
    EXPECT_TRUE(desk_.hiddenIcons(0));

    ASSERT_TRUE(clickButton(toggle));
    EXPECT_TRUE(desk_.visibility(desk_.taskbar(), true, "the taskbar"));
    EXPECT_TRUE(pollEquals(std::string("隐藏任务栏"), [&] { return windowText(toggle); }));
    EXPECT_TRUE(desk_.visibility(widget, false, "the desktop widget"));

    // Hidden again, and this time the widget, docked, brings it back.
    ASSERT_TRUE(clickButton(toggle));
    EXPECT_TRUE(desk_.visibility(desk_.taskbar(), false, "the taskbar"));
    EXPECT_TRUE(desk_.visibility(widget, true, "the desktop widget"));
    EXPECT_TRUE(desk_.dockedAtTop(widget));
    ASSERT_TRUE(desk_.slideOutAndClick(widget));
    EXPECT_TRUE(desk_.visibility(desk_.taskbar(), true, "the taskbar"));
    EXPECT_TRUE(desk_.visibility(widget, false, "the desktop widget"));
    EXPECT_TRUE(pollEquals(std::string("隐藏任务栏"), [&] { return windowText(toggle); }));
}

TEST_F(HideAllWineTest, DesktopIconToggleAndTheRestoreThatShowsThemWithoutClearingIt) {
    HWND icons = desk_.control(ui::ids::kCommand10);
    ASSERT_TRUE(clickButton(icons));
    EXPECT_TRUE(desk_.visibility(desk_.progman(), false, "the desktop window"));
    ASSERT_TRUE(clickButton(icons));
    EXPECT_TRUE(desk_.visibility(desk_.progman(), true, "the desktop window"));

    // Restore-everything shows hidden desktop icons but leaves the toggle set: its next
    // press shows them (nothing to see) and the one after that hides them again.
    ASSERT_TRUE(clickButton(icons));
    EXPECT_TRUE(desk_.visibility(desk_.progman(), false, "the desktop window"));
    HWND widget = oneKeyHide();
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(desk_.slideOutAndClick(widget));
    EXPECT_TRUE(desk_.visibility(desk_.progman(), true, "the desktop window"));
    EXPECT_TRUE(desk_.peersShown());
    ASSERT_TRUE(clickButton(icons));
    EXPECT_TRUE(desk_.staysShown(desk_.progman(), 1000, "the desktop window"));
    ASSERT_TRUE(clickButton(icons));
    EXPECT_TRUE(desk_.visibility(desk_.progman(), false, "the desktop window"));
}

class HideAllExitWineTest : public HideAllWineTest {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig("0"))); }

    // Everything Veilor can hide, hidden.
    void hideEverything() {
        ASSERT_NO_FATAL_FAILURE(openWindowPage());
        ASSERT_TRUE(click(ui::ids::kCmdhidewin));
        ASSERT_TRUE(click(ui::ids::kCommand10));
        ASSERT_TRUE(click(ui::ids::kCommand7));
        ASSERT_TRUE(desk_.peersHidden());
        ASSERT_TRUE(desk_.hiddenIcons(DesktopScene::kIcons));
        ASSERT_TRUE(desk_.visibility(desk_.taskbar(), false, "the taskbar"));
        ASSERT_TRUE(desk_.visibility(desk_.progman(), false, "the desktop window"));
    }

    // Presses the exit button and answers its question.
    void exitAnswering(int answer) {
        // Posted: the question is modal and the click returns only once it is answered.
        PostMessageW(desk_.control(ui::ids::kFrmUnload), BM_CLICK, 0, 0);
        HWND box = waitForWindow(WindowQuery{L"#32770", L"退出", desk_.veilor().pid(), true});
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(windowText(GetDlgItem(box, 0xFFFF)), "退出程序后所有隐藏将恢复，确定仍要退出？");
        ASSERT_NE(GetDlgItem(box, IDYES), nullptr);
        ASSERT_NE(GetDlgItem(box, IDNO), nullptr);
        ASSERT_TRUE(clickButton(GetDlgItem(box, answer)));
        EXPECT_TRUE(desk_.visibility(box, false, "the question"));
    }
};

TEST_F(HideAllExitWineTest, NoKeepsEverythingHidden_YesRestoresItAllBeforeTheEnd) {
    ASSERT_NO_FATAL_FAILURE(hideEverything());

    ASSERT_NO_FATAL_FAILURE(exitAnswering(IDNO));
    EXPECT_TRUE(desk_.veilor().running());
    EXPECT_TRUE(desk_.peersHidden());
    EXPECT_TRUE(desk_.hiddenIcons(DesktopScene::kIcons));
    EXPECT_FALSE(IsWindowVisible(desk_.taskbar()));
    EXPECT_FALSE(IsWindowVisible(desk_.progman()));

    ASSERT_NO_FATAL_FAILURE(exitAnswering(IDYES));
    ASSERT_TRUE(desk_.veilor().waitExit());
    EXPECT_TRUE(desk_.peersShown());
    EXPECT_TRUE(desk_.otherPeersAsOpened());
    EXPECT_TRUE(desk_.hiddenIcons(0));
    EXPECT_TRUE(desk_.visibility(desk_.taskbar(), true, "the taskbar"));
    EXPECT_TRUE(desk_.visibility(desk_.progman(), true, "the desktop window"));
}

}  // namespace
