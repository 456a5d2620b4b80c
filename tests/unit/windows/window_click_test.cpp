// What a click on a row puts into the title box: always the title the window has now.
#include "window_page_fixture.h"

namespace windows::testing {
namespace {

class WindowClickTest : public WindowPageTest {};

TEST_F(WindowClickTest, PlainRowGivesItsText) {
    open("Notepad");
    page.Refresh1();
    clickRow("Notepad");
    EXPECT_EQ(page.txtWindowTitle.text(), "Notepad");
}

TEST_F(WindowClickTest, FrozenRowGivesTheBareTitle) {
    open(PeerWindow{.title = "Busy dialog", .enabled = false});
    refreshWithVisibleOnly(true);
    clickRow("[Frozen] Busy dialog");
    EXPECT_EQ(page.txtWindowTitle.text(), "Busy dialog");
}

TEST_F(WindowClickTest, MarkedRowOfAMarkedWindowKeepsTheMarker) {
    open(PeerWindow{.title = "[隐藏] Notepad", .visible = false});
    page.Refresh1();
    clickRow("[隐藏] Notepad");
    EXPECT_EQ(page.txtWindowTitle.text(), "[隐藏] Notepad");
}

TEST_F(WindowClickTest, FrozenMarkedRowGivesTheMarkedTitle) {
    open(PeerWindow{.title = "[隐藏] Notepad", .enabled = false});
    refreshWithVisibleOnly(true);
    clickRow("[Frozen] [隐藏] Notepad");
    EXPECT_EQ(page.txtWindowTitle.text(), "[隐藏] Notepad");
}

TEST_F(WindowClickTest, MarkedRowWhoseWindowHasGoneGivesTheBareTitle) {
    WindowHandle w = open(PeerWindow{.title = "[隐藏] Notepad", .visible = false});
    page.Refresh1();
    sim.desktop.close(w);
    clickRow("[隐藏] Notepad");
    EXPECT_EQ(page.txtWindowTitle.text(), "Notepad");
}

TEST_F(WindowClickTest, RowOfAWindowReallyTitledWithTheFrozenMarkerStaysWhole) {
    open("[Frozen] Game");
    page.Refresh1();
    clickRow("[Frozen] Game");
    EXPECT_EQ(page.txtWindowTitle.text(), "[Frozen] Game");
}

TEST_F(WindowClickTest, NoSelectionLeavesTheBoxEmpty) {
    open("Notepad");
    page.Refresh1();
    page.List1.raiseClick();
    EXPECT_EQ(page.txtWindowTitle.text(), "");
}

}  // namespace
}  // namespace windows::testing
