// Hide-everything and restore-everything on the main window, with the taskbar and
// desktop-icon toggles, against other programs' windows and icons on a simulated desktop.
#include <gtest/gtest.h>

#include <optional>

#include "app/app_fixture.h"
#include "ui/dialogs.h"

namespace app::testing {
namespace {

using platform::WindowHandle;
using platform::sim::SimWindow;

class HideAllTest : public ::testing::Test {
  protected:
    HideAllTest() {
        program.sim.notifyArea.openShell();
        program.sim.notifyArea.addButton("QQ", 5);
        program.sim.notifyArea.addButton("Mail", 2);
        taskbar = program.sim.notifyArea.trayWnd;
        progman = desktop.open({.className = "Progman", .title = "Program Manager"}, true);
    }
    WindowHandle peer(const std::string& title, bool visible = true, bool enabled = true) {
        return desktop.open({.className = "Peer",
                             .title = title,
                             .visible = visible,
                             .enabled = enabled,
                             .processId = ++lastPid});
    }
    Frmain& start() {
        program.start();
        return program.frmain();
    }
    std::string title(WindowHandle w) { return desktop.find(w)->title; }
    bool visible(WindowHandle w) { return desktop.find(w)->visible; }
    bool iconHidden(int id) { return program.sim.notifyArea.buttonById(id)->hidden; }

    testing_support::SimProgram program;
    platform::sim::SimDesktop& desktop = program.sim.desktop;
    WindowHandle taskbar = platform::kNoWindow;
    WindowHandle progman = platform::kNoWindow;
    std::uint32_t lastPid = 100;
};

TEST_F(HideAllTest, OneKeyHide_MarksAndHidesEveryListedWindowAndIcon) {
    WindowHandle editor = peer("Editor");
    WindowHandle earlier = peer("[隐藏] Earlier", false);
    WindowHandle frozen = peer("Frozen", true, false);
    WindowHandle untitled = peer("");
    Frmain& frmain = start();

    frmain.Command7.raiseClick();

    EXPECT_EQ(title(editor), "[隐藏] Editor");
    EXPECT_FALSE(visible(editor));
    EXPECT_EQ(title(earlier), "[隐藏] Earlier") << "one marker only";
    EXPECT_EQ(title(frozen), "Frozen") << "a disabled window is not listed, so not hidden";
    EXPECT_TRUE(visible(untitled));
    EXPECT_TRUE(visible(progman));
    EXPECT_TRUE(visible(taskbar)) << "the taskbar has its own toggle";
    EXPECT_TRUE(iconHidden(5) && iconHidden(2));
    EXPECT_FALSE(frmain.visible());
    EXPECT_TRUE(frmain.windowPage.Dowindow);
    EXPECT_TRUE(frmain.trayPage.Dotray);
    // The icons it hid are not the tray page's own: their rows carry no marker.
    EXPECT_TRUE(frmain.trayPage.hideList2.empty());
    EXPECT_EQ(frmain.trayPage.List2.rows(), std::vector<std::string>({"QQ", "Mail"}));
}

TEST_F(HideAllTest, OneKeyHide_ReachesIntoTheShellOncePerStepNotOncePerIcon) {
    platform::sim::SimNotifyArea& shell = program.sim.notifyArea;
    for (int id = 10; id < 30; ++id)
        shell.addButton("Icon " + std::to_string(id), id);
    Frmain& frmain = start();
    const int before = shell.connectionsMade();

    frmain.Command7.raiseClick();

    EXPECT_EQ(shell.connectionsMade() - before, 2) << "read and hide, then list again";
    for (const platform::sim::SimTrayButton& b : shell.buttons)
        EXPECT_TRUE(b.hidden) << b.text;
    EXPECT_EQ(shell.processHandlesOpen(), 0);
}

// The screen clears at the pace of the programs hiding their own windows: no title is
// written, and no answer waited for, until every hide has been posted; and the record is
// written once, before the first hide, naming every window and icon that goes.
TEST_F(HideAllTest, OneKeyHide_PostsEveryHideBeforeAnyMessageAndRecordsOnceBefore) {
    std::vector<WindowHandle> peers;
    for (int i = 0; i < 6; ++i)
        peers.push_back(peer("Peer " + std::to_string(i)));
    desktop.find(peers[2])->slow = true;  // its marker arrives only after the time-out
    Frmain& frmain = start();
    const int messagesBefore = desktop.messagesSent;
    const int writesBefore = program.sim.files.writeCount();
    std::vector<int> messagesAtHide;
    std::optional<windows::HiddenState> recordAtFirstHide;
    desktop.beforeShow = [&](WindowHandle, bool shown) {
        if (shown) return;
        messagesAtHide.push_back(desktop.messagesSent - messagesBefore);
        if (recordAtFirstHide) return;
        const auto text = program.sim.files.readFile(frmain.hiddenRecord.path());
        recordAtFirstHide = windows::parseRecord(text.value_or(""));
        EXPECT_EQ(program.sim.files.writeCount() - writesBefore, 1) << "one write before hiding";
    };

    frmain.Command7.raiseClick();

    ASSERT_GE(messagesAtHide.size(), peers.size());
    for (std::size_t i = 0; i < peers.size(); ++i)
        EXPECT_EQ(messagesAtHide[i], 0) << "hide " << i << " came after a message";
    EXPECT_GE(desktop.messagesSent - messagesBefore, 6) << "the markers were written after";
    ASSERT_TRUE(recordAtFirstHide);
    EXPECT_EQ(recordAtFirstHide->windows.size(), peers.size());
    EXPECT_EQ(recordAtFirstHide->buttons.size(), 2u) << "QQ and Mail";
    EXPECT_TRUE(visible(peers[2])) << "shown again: its marker could not be written in time";
    EXPECT_FALSE(frmain.hiddenRecord.holds(peers[2], desktop.find(peers[2])->processId));
    for (WindowHandle w : {peers[0], peers[5]})
        EXPECT_EQ(title(w).rfind("[隐藏] ", 0), 0u) << title(w);
}

TEST_F(HideAllTest, OneKeyHide_IconGoneWhileTheAreaIsReadLeavesNoOtherIconVisible) {
    platform::sim::SimNotifyArea& shell = program.sim.notifyArea;
    shell.addButton("Chat", 7);
    Frmain& frmain = start();
    int scans = 0;
    shell.beforeButtonAt = [&](int position) {
        // QQ's program ends in the middle of the first reading of the one-key hide.
        if (position == 1 && ++scans == 1) shell.buttons.erase(shell.buttons.begin());
    };

    frmain.Command7.raiseClick();

    EXPECT_TRUE(iconHidden(2)) << "Mail had moved into a position already read";
    EXPECT_TRUE(iconHidden(7));
}

TEST_F(HideAllTest, OneKeyHide_MarkerThatArrivesAfterTheTimeOutIsTakenOff) {
    WindowHandle slow = peer("Slow");
    desktop.find(slow)->slow = true;
    Frmain& frmain = start();

    frmain.Command7.raiseClick();
    EXPECT_TRUE(visible(slow)) << "its marker was not written in time";
    EXPECT_EQ(title(slow), "Slow");
    EXPECT_EQ(desktop.answersWaiting(slow), 1) << "nobody looks again when it answers";

    desktop.catchUp(slow);  // the marker takes effect, then the program answers
    EXPECT_EQ(title(slow), "Slow");
    EXPECT_TRUE(visible(slow));
    EXPECT_EQ(frmain.windowPage.lateMarkers.watching(), 0u);
}

TEST_F(HideAllTest, OneKeyHide_VisibleOnlyLeavesFrozenWindowsAndUnanswering) {
    WindowHandle editor = peer("Editor");
    WindowHandle frozen = peer("Frozen", true, false);
    WindowHandle hung = peer("Hung");
    desktop.find(hung)->hung = true;
    Frmain& frmain = start();
    frmain.windowPage.chkVisible.setValue(1);

    frmain.Command7.raiseClick();

    EXPECT_FALSE(visible(editor));
    EXPECT_TRUE(visible(frozen));
    EXPECT_EQ(title(frozen), "Frozen");
    // Its title could not be marked, and an unmarked hidden window could never come back.
    EXPECT_TRUE(visible(hung));
    EXPECT_EQ(frmain.windowPage.chkVisible.value(), 1);
}

TEST_F(HideAllTest, RestoreBeforeAnyHideOnlyRefreshes) {
    WindowHandle earlier = peer("[隐藏] Earlier", false);
    program.sim.notifyArea.buttons[0].hidden = true;
    Frmain& frmain = start();
    peer("Opened later");

    frmain.RE();

    EXPECT_FALSE(visible(earlier));
    EXPECT_EQ(title(earlier), "[隐藏] Earlier");
    EXPECT_TRUE(iconHidden(5));
    const auto& rows = frmain.windowPage.List1.rows();
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Opened later"), rows.end());
    EXPECT_EQ(frmain.trayPage.List2.rows(), std::vector<std::string>({"QQ", "Mail"}));
}

TEST_F(HideAllTest, RestoreBringsBackEverythingAndKeepsVisibleOnlyChecked) {
    WindowHandle editor = peer("Editor");
    WindowHandle earlier = peer("[隐藏] From last run", false);
    WindowHandle renamed = peer("Renamed");
    Frmain& frmain = start();
    frmain.Command7.raiseClick();
    desktop.find(renamed)->title = "New name";  // its program rewrote it while hidden
    frmain.windowPage.chkVisible.setValue(1);

    frmain.RE();

    EXPECT_EQ(title(editor), "Editor");
    EXPECT_TRUE(visible(editor));
    EXPECT_EQ(title(earlier), "From last run");
    EXPECT_TRUE(visible(earlier));
    EXPECT_TRUE(visible(renamed)) << "the record knows it without its marker";
    EXPECT_EQ(title(renamed), "New name");
    EXPECT_FALSE(iconHidden(5) || iconHidden(2));
    EXPECT_EQ(frmain.windowPage.chkVisible.value(), 1);
    EXPECT_FALSE(frmain.visible()) << "showing the main window is the caller's part";
    EXPECT_TRUE(frmain.windowPage.Dowindow && frmain.trayPage.Dotray);
}

TEST_F(HideAllTest, WindowMarkedByAnEarlierRunComesBackOnceAWindowWasHidden) {
    WindowHandle earlier = peer("[隐藏] From last run", false);
    WindowHandle editor = peer("Editor");
    Frmain& frmain = start();
    frmain.RE();
    ASSERT_FALSE(visible(earlier));

    frmain.windowPage.txtWindowTitle.setText("Editor");
    frmain.windowPage.cmdHide1_Click();
    frmain.RE();

    EXPECT_TRUE(visible(earlier));
    EXPECT_TRUE(visible(editor));
    EXPECT_EQ(title(earlier), "From last run");
}

TEST_F(HideAllTest, OneKeyHide_HidesOnlyWhatItCanFindAgain) {
    // An ANSI program whose code page has no room for the marker would end up "[??] ...".
    WindowHandle ansi = desktop.open({.className = "Peer", .title = "Old app", .ansi = true});
    WindowHandle stillMarked = peer("[隐藏] Shown again by its program");
    // The same title in other letters, and a message-only window before both in z-order.
    WindowHandle upper = peer("NOTEPAD");
    WindowHandle messageOnly =
        desktop.open({.className = "Peer", .title = "notepad", .messageOnly = true});
    Frmain& frmain = start();

    frmain.Command7.raiseClick();

    EXPECT_TRUE(visible(ansi)) << "its marker did not survive, so it is not hidden";
    EXPECT_EQ(title(ansi), "Old app");
    EXPECT_FALSE(visible(stillMarked));
    EXPECT_EQ(title(stillMarked), "[隐藏] Shown again by its program") << "one marker only";
    EXPECT_FALSE(visible(upper));
    EXPECT_EQ(title(upper), "[隐藏] NOTEPAD");
    EXPECT_TRUE(visible(messageOnly));
    EXPECT_EQ(title(messageOnly), "notepad");
    for (const windows::RecordedWindow& w : frmain.hiddenRecord.state().windows)
        EXPECT_NE(w.handle, ansi) << "a window shown again is not kept as hidden";
}

TEST_F(HideAllTest, TwoWindowsOfOneTitle_BothGoAndBothComeBack) {
    WindowHandle first = peer("Duplicate");
    WindowHandle second = peer("duplicate");
    Frmain& frmain = start();

    frmain.Command7.raiseClick();
    EXPECT_FALSE(visible(first) || visible(second));
    EXPECT_EQ(title(second), "[隐藏] duplicate");

    frmain.RE();
    EXPECT_TRUE(visible(first) && visible(second));
    EXPECT_EQ(title(first), "Duplicate");
    EXPECT_EQ(title(second), "duplicate");
}

TEST_F(HideAllTest, TaskbarAndDesktopKeepTheirPlaceAndSize) {
    Frmain& frmain = start();
    for (WindowHandle w : {taskbar, progman}) {
        platform::sim::SimWindow& part = *desktop.find(w);
        part.x = 0, part.y = 738, part.cx = 1024, part.cy = 30;
    }

    frmain.windowPage.cmdhidewin.raiseClick();
    frmain.Command10.raiseClick();
    frmain.windowPage.cmdhidewin.raiseClick();
    frmain.Command10.raiseClick();

    for (WindowHandle w : {taskbar, progman}) {
        const platform::sim::SimWindow& part = *desktop.find(w);
        EXPECT_TRUE(part.visible) << part.className;
        EXPECT_EQ(std::vector<int>({part.x, part.y, part.cx, part.cy}),
                  std::vector<int>({0, 738, 1024, 30}))
            << part.className;
    }
}

TEST_F(HideAllTest, TaskbarToggleFollowsItsCaption) {
    Frmain& frmain = start();
    ui::Button& toggle = frmain.windowPage.cmdhidewin;
    ASSERT_EQ(toggle.text(), "隐藏任务栏");

    toggle.raiseClick();
    EXPECT_FALSE(visible(taskbar));
    EXPECT_TRUE(frmain.Dowin);
    EXPECT_EQ(toggle.text(), "还原任务栏");
    EXPECT_EQ(desktop.find(taskbar)->posCalls, 1);

    toggle.raiseClick();
    EXPECT_TRUE(visible(taskbar));
    EXPECT_FALSE(frmain.Dowin);
    EXPECT_EQ(toggle.text(), "隐藏任务栏");

    // The caption decides, not the flag.
    frmain.Dowin = true;
    toggle.raiseClick();
    EXPECT_FALSE(visible(taskbar));
}

TEST_F(HideAllTest, DesktopIconToggleAndRestoreEverything) {
    Frmain& frmain = start();
    frmain.Command10.raiseClick();
    EXPECT_FALSE(visible(progman));
    EXPECT_TRUE(frmain.iconhide);

    frmain.RE();
    EXPECT_TRUE(visible(progman));
    EXPECT_TRUE(frmain.iconhide) << "restore-everything leaves the flag";

    frmain.Command10.raiseClick();  // shows what is shown, and clears the flag
    EXPECT_TRUE(visible(progman));
    EXPECT_FALSE(frmain.iconhide);
    frmain.Command10.raiseClick();
    EXPECT_FALSE(visible(progman));
}

TEST_F(HideAllTest, ExitRestoresTaskbarDesktopIconsWindowsAndIcons) {
    WindowHandle editor = peer("Editor");
    Frmain& frmain = start();
    frmain.windowPage.cmdhidewin.raiseClick();
    frmain.Command10.raiseClick();
    frmain.Command7.raiseClick();
    program.dialogs.answerMessage(ui::mb::kAnswerNo);
    frmain.frmUnload.raiseClick();
    EXPECT_FALSE(visible(taskbar)) << "No keeps everything as it is";
    EXPECT_FALSE(visible(editor));

    program.dialogs.answerMessage(ui::mb::kAnswerYes);
    frmain.frmUnload.raiseClick();

    EXPECT_EQ(program.quits, 1);
    EXPECT_TRUE(visible(taskbar));
    EXPECT_TRUE(visible(progman));
    EXPECT_TRUE(visible(editor));
    EXPECT_EQ(title(editor), "Editor");
    EXPECT_FALSE(iconHidden(5) || iconHidden(2));
}

TEST_F(HideAllTest, RepairEndsTheProgramOnlyOnceEverythingIsBack) {
    WindowHandle editor = peer("Editor");
    Frmain& frmain = start();
    frmain.windowPage.cmdhidewin.raiseClick();
    frmain.Command7.raiseClick();
    bool restoredFirst = false;
    desktop.beforeShow = [&](WindowHandle, bool) { restoredFirst = !program.sim.shell.ended; };
    program.dialogs.answerMessage(ui::mb::kAnswerOk);

    frmain.Command13.raiseClick();

    EXPECT_TRUE(program.sim.shell.ended);
    EXPECT_TRUE(restoredFirst);
    EXPECT_TRUE(visible(editor));
    EXPECT_EQ(title(editor), "Editor");
    EXPECT_TRUE(visible(taskbar));
    EXPECT_FALSE(iconHidden(5) || iconHidden(2));
}

TEST_F(HideAllTest, TrayMenuExitShowsTheTaskbarEvenWhenAnswerIsNo) {
    Frmain& frmain = start();
    desktop.find(taskbar)->visible = false;  // hidden by someone else
    program.dialogs.answerMessage(ui::mb::kAnswerNo);
    frmain.mainTray.mnu_Exit();
    EXPECT_TRUE(visible(taskbar));
    EXPECT_EQ(program.quits, 0);
}

}  // namespace
}  // namespace app::testing
