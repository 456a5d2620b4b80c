// Hiding, showing and renaming the selected window.
#include "window_page_fixture.h"

namespace windows::testing {
namespace {

class WindowActionsTest : public WindowPageTest {};

TEST_F(WindowActionsTest, HideThenShow_MarksHidesAndRestoresTheWindow) {
    WindowHandle notepad = open("记事本 - Notepad");
    page.Refresh1();
    clickRow("记事本 - Notepad");

    page.cmdHide1.raiseClick();

    EXPECT_TRUE(page.Dowindow);
    EXPECT_EQ(titleOf(notepad), "[隐藏] 记事本 - Notepad");
    EXPECT_FALSE(window(notepad).visible);
    EXPECT_EQ(rows(), Rows({"[隐藏] 记事本 - Notepad"}));
    EXPECT_EQ(page.txtWindowTitle.text(), "");

    clickRow("[隐藏] 记事本 - Notepad");
    EXPECT_EQ(page.txtWindowTitle.text(), "[隐藏] 记事本 - Notepad");
    page.cmdShow1.raiseClick();

    EXPECT_EQ(titleOf(notepad), "记事本 - Notepad");
    EXPECT_TRUE(window(notepad).visible);
    EXPECT_EQ(rows(), Rows({"记事本 - Notepad"}));
    EXPECT_TRUE(page.Dowindow) << "showing never clears the flag";
}

TEST_F(WindowActionsTest, HidingAMarkedWindowHidesItWithoutASecondMarker) {
    WindowHandle w = open("[隐藏] Notepad");
    page.Refresh1();
    clickRow("[隐藏] Notepad");

    page.cmdHide1.raiseClick();

    EXPECT_EQ(titleOf(w), "[隐藏] Notepad");
    EXPECT_FALSE(window(w).visible);
}

TEST_F(WindowActionsTest, HidingTheFirstOfTwoWindowsWithOneTitleLeavesTheOtherListed) {
    WindowHandle lower = open("Report");
    WindowHandle upper = open("Report");
    page.Refresh1();
    clickRow("Report");

    page.cmdHide1.raiseClick();

    EXPECT_EQ(titleOf(upper), "[隐藏] Report");
    EXPECT_FALSE(window(upper).visible);
    EXPECT_EQ(titleOf(lower), "Report");
    EXPECT_TRUE(window(lower).visible);
    EXPECT_EQ(rows(), Rows({"[隐藏] Report", "Report"}));
}

TEST_F(WindowActionsTest, HungWindow_IsNeitherRetitledNorHidden) {
    WindowHandle hung = open("Frozen app");
    page.Refresh1();
    clickRow("Frozen app");
    window(hung).hung = true;

    page.cmdHide1.raiseClick();

    EXPECT_EQ(window(hung).title, "Frozen app");
    EXPECT_TRUE(window(hung).visible)
        << "a hidden window without its marker could not be found again";
    EXPECT_TRUE(record.state().windows.empty()) << "a window shown again is not hidden by us";
    EXPECT_TRUE(page.Dowindow);
}

TEST_F(WindowActionsTest, SlowWindowHiddenTwice_BothLateMarkersAreTakenOff) {
    WindowHandle slow = open("Busy app");
    page.Refresh1();
    window(slow).slow = true;
    for (int i = 0; i < 2; ++i) {
        clickRow("Busy app");
        page.cmdHide1.raiseClick();
        EXPECT_TRUE(window(slow).visible);
    }
    EXPECT_EQ(page.lateMarkers.watching(), 1u);

    // Both markers arrive; only the answer after the second one can tell that it came.
    sim.desktop.catchUp(slow);
    EXPECT_EQ(titleOf(slow), "Busy app");
    EXPECT_EQ(page.lateMarkers.watching(), 0u);
}

TEST_F(WindowActionsTest, LateMarkerOfAWindowHiddenAgainSinceStays) {
    WindowHandle w = sim.desktop.open({.className = "PeerWindow", .title = "Mail", .processId = 9});
    page.lateMarkers.watch(w);
    // Meanwhile its marker arrived, and the user hid it again.
    window(w).title = "[隐藏] Mail";
    window(w).visible = false;
    record.addWindows({{w, 9, "Mail"}});

    sim.desktop.catchUp(w);
    EXPECT_EQ(titleOf(w), "[隐藏] Mail");
    EXPECT_EQ(page.lateMarkers.watching(), 0u);
}

TEST_F(WindowActionsTest, ShowingAnUnmarkedWindowLeavesItsTitleAndShowsIt) {
    WindowHandle w = open("Notepad");
    page.Refresh1();
    clickRow("Notepad");

    page.cmdShow1.raiseClick();

    EXPECT_EQ(titleOf(w), "Notepad");
    EXPECT_EQ(window(w).showCalls, 1);
    EXPECT_TRUE(window(w).visible);
    EXPECT_FALSE(page.Dowindow);
}

TEST_F(WindowActionsTest, WindowGoneSinceSelection_HideAndShowOnlyRefresh) {
    WindowHandle gone = open("Gone");
    WindowHandle other = open("Other");
    page.Refresh1();
    clickRow("Gone");
    sim.desktop.close(gone);

    page.cmdHide1.raiseClick();
    EXPECT_EQ(rows(), Rows({"Other"}));
    EXPECT_EQ(titleOf(other), "Other");
    EXPECT_TRUE(window(other).visible);
    EXPECT_EQ(window(other).showCalls, 0);

    page.cmdShow1.raiseClick();  // nothing selected any more
    EXPECT_EQ(window(other).showCalls, 0);
}

TEST_F(WindowActionsTest, Rename_AsksWithTheCurrentTitleAndSetsTheAnswerAsTyped) {
    WindowHandle w = open("Notepad");
    page.Refresh1();
    clickRow("Notepad");
    dialogs.answerInput("  购物清单  ");

    page.cmdRename.raiseClick();

    ASSERT_EQ(dialogs.inputs().size(), 1u);
    EXPECT_EQ(dialogs.inputs()[0].text, "请输入新的名称：");
    EXPECT_EQ(dialogs.inputs()[0].title, "窗体重命名");
    EXPECT_EQ(titleOf(w), "  购物清单  ");
    EXPECT_EQ(rows(), Rows({"  购物清单  "}));
}

TEST_F(WindowActionsTest, Rename_BlankCancelledOrUnchangedAnswersChangeNothing) {
    WindowHandle w = open("Notepad");
    page.Refresh1();
    clickRow("Notepad");

    for (const char* answer : {"   ", "", "Notepad"}) {
        dialogs.answerInput(answer);
        page.cmdRename.raiseClick();
        EXPECT_EQ(titleOf(w), "Notepad") << "answer \"" << answer << "\"";
        EXPECT_EQ(page.txtWindowTitle.text(), "Notepad") << "no refresh for \"" << answer << "\"";
    }
    EXPECT_EQ(dialogs.inputs().size(), 3u);
}

TEST_F(WindowActionsTest, Rename_OffersTheRealTitleOfAMarkedWindowAndCanDropItsMarker) {
    WindowHandle w = open(PeerWindow{.title = "[隐藏] Notepad", .visible = false});
    page.Refresh1();
    clickRow("[隐藏] Notepad");
    dialogs.answerInput("Notepad");

    page.cmdRename.raiseClick();

    ASSERT_EQ(dialogs.inputs().size(), 1u);
    EXPECT_EQ(titleOf(w), "Notepad");
    EXPECT_TRUE(rows().empty()) << "an unmarked hidden window is no longer listed";
}

TEST_F(WindowActionsTest, Rename_OfAWindowThatHasGoneAsksNothing) {
    WindowHandle w = open("Notepad");
    page.Refresh1();
    clickRow("Notepad");
    sim.desktop.close(w);

    page.cmdRename.raiseClick();

    EXPECT_TRUE(dialogs.inputs().empty());
}

}  // namespace
}  // namespace windows::testing
