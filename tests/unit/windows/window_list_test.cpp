// Which windows the list shows, in both modes of "仅显示可见窗口".
#include "window_page_fixture.h"

namespace windows::testing {
namespace {

class WindowListTest : public WindowPageTest {};

TEST_F(WindowListTest, AllWindows_ListsEnabledVisibleAndOwnHiddenOnesInZOrder) {
    open(PeerWindow{.title = "[隐藏] Hidden and disabled", .visible = false, .enabled = false});
    open(PeerWindow{.title = "[隐藏] 报表.xls - Excel", .visible = false});
    open(PeerWindow{.title = "Hidden by its program", .visible = false});
    open(PeerWindow{.title = "Disabled dialog", .enabled = false});
    open("");
    open("Program Manager");
    open("Veilor 更新");
    open("记事本 - 无标题");
    open("Notepad");

    page.Refresh1();

    EXPECT_EQ(rows(), Rows({"Notepad", "记事本 - 无标题", "[隐藏] 报表.xls - Excel"}));
}

TEST_F(WindowListTest, VisibleOnly_MarksDisabledRowsFrozenAndLeavesInvisibleOut) {
    open(PeerWindow{.title = "[隐藏] Marked and hidden", .visible = false});
    open(PeerWindow{.title = "Hidden by its program", .visible = false});
    open(PeerWindow{.title = "[隐藏] Marked but shown", .enabled = false});
    open("Program Manager");
    open(PeerWindow{.title = "Busy dialog", .enabled = false});
    open("Calculator");

    page.chkVisible.raiseClick();  // refreshes by itself

    EXPECT_EQ(rows(),
              Rows({"Calculator", "[Frozen] Busy dialog", "[Frozen] [隐藏] Marked but shown"}));
}

TEST_F(WindowListTest, LeavesOutTheMainWindowAndTitlesStartingWithTheProgramName) {
    mainWindow = open("Main window under another caption");
    open("VeilorHelper");
    open(" Veilor");  // its first six characters are " Veilo"
    open("veilor notes");

    page.Refresh1();

    EXPECT_EQ(rows(), Rows({"veilor notes", " Veilor"}));
}

TEST_F(WindowListTest, TwoWindowsWithOneTitle_GiveTwoRowsJudgedByTheFirstWindow) {
    open("Report");
    open(PeerWindow{.title = "Report", .enabled = false});  // on top: FindWindow answers this one

    page.Refresh1();
    EXPECT_TRUE(rows().empty());

    refreshWithVisibleOnly(true);
    EXPECT_EQ(rows(), Rows({"[Frozen] Report", "[Frozen] Report"}));
}

TEST_F(WindowListTest, FollowsTheDesktopOnEveryRefreshAndEmptiesTheSelection) {
    WindowHandle editor = open("Editor");
    open("Browser");
    page.Refresh1();
    clickRow("Editor");
    ASSERT_EQ(page.txtWindowTitle.text(), "Editor");

    sim.desktop.close(editor);
    page.cmdRefresh1.raiseClick();

    EXPECT_EQ(rows(), Rows({"Browser"}));
    EXPECT_EQ(page.txtWindowTitle.text(), "");
    EXPECT_EQ(page.List1.listIndex(), -1);
}

TEST_F(WindowListTest, RepeatedRefreshesShowExactlyTheDesktopsRowsWithNothingSelected) {
    open("C");
    WindowHandle b = open("B");
    open("A");
    page.Refresh1();
    clickRow("B");
    page.Refresh1();
    EXPECT_EQ(rows(), Rows({"A", "B", "C"}));
    EXPECT_EQ(page.List1.listIndex(), -1);
    EXPECT_EQ(page.txtWindowTitle.text(), "");

    sim.desktop.close(b);
    open("D");
    clickRow("C");
    page.Refresh1();
    EXPECT_EQ(rows(), Rows({"D", "A", "C"}));
    EXPECT_EQ(page.List1.listIndex(), -1);
    EXPECT_EQ(page.txtWindowTitle.text(), "");
}

TEST_F(WindowListTest, ListsEveryWindowOfABusyDesktop) {
    for (int i = 0; i < 300; ++i)
        open("Window " + std::to_string(i));

    page.Refresh1();

    ASSERT_EQ(rows().size(), 300u);
    EXPECT_EQ(rows().front(), "Window 299");
    EXPECT_EQ(rows().back(), "Window 0");
}

TEST(WindowTitleRules, OwnTitleComparesTheFirstSixCharactersTrimmed) {
    EXPECT_TRUE(isOwnTitle("Veilor"));
    EXPECT_TRUE(isOwnTitle("Veilor - 设置"));
    EXPECT_TRUE(isOwnTitle("VeilorX"));
    EXPECT_FALSE(isOwnTitle(" Veilor"));
    EXPECT_FALSE(isOwnTitle("VEILOR"));
    EXPECT_FALSE(isOwnTitle("Veilo"));
    EXPECT_EQ(leftChars("[隐藏] 记事本", 5), "[隐藏] ");
    EXPECT_EQ(leftChars("隐", 6), "隐");
}

}  // namespace
}  // namespace windows::testing
