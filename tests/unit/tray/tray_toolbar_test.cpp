// Listing, hiding and showing notification icons through the shell's toolbar, and the
// sweep that lets the shell drop icons of ended programs.
#include "tray_fixture.h"

namespace tray::testing {
namespace {

class TrayToolbarTest : public TrayTest {
  protected:
    Rows list() {
        ListTrayButtons(sim.desktop, shell, box);
        return box.rows();
    }
    ui::sim::SimForms forms;
    ui::Form form{forms, 1, "form"};
    ui::ListBox box{&form, 2, "box"};
};

TEST_F(TrayToolbarTest, ListRules_NeighboursMergeEmptyFirstDropsLaterEmptyStays) {
    icons({{"", 1}, {"QQ", 2}, {"QQ", 3}, {"Mail", 4}, {"QQ", 5}, {"", 6}, {"", 7}, {"qq", 8}});
    EXPECT_EQ(list(), Rows({"QQ", "Mail", "QQ", "", "qq"}));
}

TEST_F(TrayToolbarTest, ListRules_RowsComeFromTheLastRowNotTheLastButton) {
    // An empty first button drops out, so the next empty text is "first" again.
    icons({{"", 1}, {"", 2}, {"Volume", 3}, {"Volume", 4}, {"Volume", 5}});
    EXPECT_EQ(list(), Rows({"Volume"}));
}

TEST_F(TrayToolbarTest, ButtonsWithoutTextGiveNoRowAndHiddenOnesAreListed) {
    icons({{"Net", 1}});
    shell.addButtonWithoutText(2);
    icons({{"Net", 3}, {"Clock", 4}});
    shell.buttons[3].hidden = true;
    // A button with no text at all leaves no row, so the two "Net" become neighbours.
    EXPECT_EQ(list(), Rows({"Net", "Clock"}));
}

TEST_F(TrayToolbarTest, IdentifiersThatDifferFromPositions_ReadAndHideTheRightButton) {
    // Position 0 holds identifier 2, position 2 holds identifier 0: sending positions as
    // identifiers would read "Mail" first and hide "QQ" for "Volume".
    icons({{"QQ", 2}, {"Volume", 7}, {"Mail", 0}});
    EXPECT_EQ(list(), Rows({"QQ", "Volume", "Mail"}));
    auto buttons = readTrayButtons(sim.desktop, shell);
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[2].position, 2);
    EXPECT_EQ(buttons[2].commandId, 0);

    HideTrayButtons(sim.desktop, shell, "Volume");
    EXPECT_EQ(hiddenIds(), std::vector<int>({7}));
    HideTrayButtons(sim.desktop, shell, "Mail");
    EXPECT_EQ(hiddenIds(), std::vector<int>({7, 0}));
    ShowTrayButtons(sim.desktop, shell, "Volume");
    EXPECT_EQ(hiddenIds(), std::vector<int>({0}));
}

TEST_F(TrayToolbarTest, Hide_EveryExactMatchCaseSensitive_AutosizeAfterEach) {
    icons({{"QQ", 10}, {"Mail", 11}, {"QQ", 12}, {"qq", 13}, {"QQ ", 14}});
    HideTrayButtons(sim.desktop, shell, "QQ");
    EXPECT_EQ(hiddenIds(), std::vector<int>({10, 12}));
    EXPECT_EQ(shell.autosizes(), 2);

    ShowTrayButtons(sim.desktop, shell, "qq");
    EXPECT_EQ(hiddenIds(), std::vector<int>({10, 12})) << "letter case must match";
    ShowTrayButtons(sim.desktop, shell, "QQ");
    EXPECT_TRUE(hiddenIds().empty());
    expectAllReleased();
}

TEST_F(TrayToolbarTest, NoTextMatchesAButtonWithoutText) {
    shell.addButtonWithoutText(5);
    icons({{"", 6}});
    HideTrayButtons(sim.desktop, shell, "");
    EXPECT_EQ(hiddenIds(), std::vector<int>({6}));
}

TEST_F(TrayToolbarTest, EmptyNotificationArea_ListsNothingAndChangesNothing) {
    box.addItem("stale row");
    EXPECT_TRUE(list().empty());
    HideTrayButtons(sim.desktop, shell, "QQ");
    EXPECT_EQ(shell.hideMessages(), 0);
    EXPECT_EQ(shell.autosizes(), 0);
    expectAllReleased();
}

TEST_F(TrayToolbarTest, LongTextsAreCutAt256Units_AndStillMatchTheirOwnRow) {
    std::string longTip(300, 'x');
    std::string chinese;
    for (int i = 0; i < 300; ++i)
        chinese += "图";
    icons({{longTip, 1}, {chinese, 2}});
    Rows rows = list();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], std::string(256, 'x'));
    EXPECT_EQ(rows[1].size(), 256u * 3) << "256 characters of three bytes each";
    HideTrayButtons(sim.desktop, shell, rows[1]);
    EXPECT_EQ(hiddenIds(), std::vector<int>({2}));
}

struct ChainFault {
    const char* name;
    void (*apply)(platform::sim::SimSystem&);
};

class TrayChainFaultTest : public TrayToolbarTest,
                           public ::testing::WithParamInterface<ChainFault> {};

TEST_P(TrayChainFaultTest, OperationsDoNothing_ListStaysEmpty_NothingLeftOpen) {
    icons({{"QQ", 1}, {"Mail", 2}});
    box.addItem("stale row");
    GetParam().apply(sim);

    EXPECT_TRUE(list().empty());
    HideTrayButtons(sim.desktop, shell, "QQ");
    ShowTrayButtons(sim.desktop, shell, "Mail");
    EXPECT_TRUE(hiddenIds().empty());
    EXPECT_EQ(shell.hideMessages(), 0);
    expectAllReleased();
}

INSTANTIATE_TEST_SUITE_P(
    EveryLink, TrayChainFaultTest,
    ::testing::Values(
        ChainFault{"NoShell", [](auto& s) { s.desktop.close(s.notifyArea.trayWnd); }},
        ChainFault{"NoNotifyWnd", [](auto& s) { s.desktop.close(s.notifyArea.notifyWnd); }},
        ChainFault{"NoPager", [](auto& s) { s.desktop.close(s.notifyArea.sysPager); }},
        ChainFault{"NoToolbar", [](auto& s) { s.desktop.close(s.notifyArea.toolbar); }},
        ChainFault{"ProcessRefused", [](auto& s) { s.notifyArea.processOpens = false; }},
        ChainFault{"NoBuffer", [](auto& s) { s.notifyArea.bufferCommits = false; }},
        ChainFault{"ToolbarHung",
                   [](auto& s) { s.desktop.find(s.notifyArea.toolbar)->hung = true; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrayToolbarTest, IconGoneDuringTheScan_TheNextOneIsStillHidden) {
    icons({{"QQ", 1}, {"Mail", 2}, {"Chat", 3}, {"Music", 4}});
    bool gone = false;
    shell.beforeButtonAt = [&](int position) {
        if (position != 1 || gone) return;
        gone = true;  // QQ's program ends: Mail moves into position 0, already passed
        shell.buttons.erase(shell.buttons.begin());
    };
    HideTrayButtons(sim.desktop, shell, std::vector<std::string>{"Mail", "Chat", "Music"});
    EXPECT_EQ(hiddenIds(), std::vector<int>({2, 3, 4}));
    expectAllReleased();
}

TEST_F(TrayToolbarTest, ShellThatNeverSettles_TheScanStillEnds) {
    icons({{"QQ", 1}, {"Mail", 2}});
    int added = 0;
    shell.beforeButtonAt = [&](int position) {
        if (position == 0) shell.addButton("New", 100 + added++);
    };
    const Rows rows = list();
    EXPECT_EQ(added, 3) << "walks of a changing toolbar";
    EXPECT_EQ(rows, Rows({"QQ", "Mail", "New"})) << "the last walk's buttons";
    expectAllReleased();
}

TEST_F(TrayToolbarTest, EachOperationUsesOneConnectionAndReleasesIt) {
    icons({{"QQ", 1}, {"Mail", 2}, {"QQ", 3}});
    list();
    HideTrayButtons(sim.desktop, shell, "QQ");
    ShowTrayButtons(sim.desktop, shell, "QQ");
    EXPECT_EQ(shell.connectionsMade(), 3);
    expectAllReleased();
}

TEST_F(TrayToolbarTest, Refresh_PostsOneMoveToEveryInteriorPointOfTheToolbar) {
    RefreshTray(sim.desktop, shell);
    const auto& moves = shell.mouseMoves(shell.toolbar);
    ASSERT_EQ(moves.size(), 99u * 19u);
    EXPECT_EQ(moves.front(), (platform::sim::SimPoint{1, 1}));
    EXPECT_EQ(moves[1], (platform::sim::SimPoint{1, 2})) << "y runs fastest";
    EXPECT_EQ(moves.back(), (platform::sim::SimPoint{99, 19}));
    for (const auto& p : moves) {
        ASSERT_TRUE(p.x >= 1 && p.x <= 99 && p.y >= 1 && p.y <= 19) << p.x << "," << p.y;
    }
    EXPECT_TRUE(shell.mouseMoves(shell.notifyWnd).empty());
}

TEST_F(TrayToolbarTest, Refresh_TargetFollowsTheShellOfEachVersion) {
    // 4.x shells draw icons in TrayNotifyWnd itself; 5.0 has the toolbar straight in it;
    // 5.1 and every later shell with a toolbar (Vista to 10) keep it in SysPager.
    EXPECT_EQ(FindTrayToolbar(sim.desktop, shell), shell.toolbar) << "6.1 by default";
    shell.version = {10, 0};
    EXPECT_EQ(FindTrayToolbar(sim.desktop, shell), shell.toolbar);
    shell.version = {5, 1};
    EXPECT_EQ(FindTrayToolbar(sim.desktop, shell), shell.toolbar);
    shell.version = {5, 0};
    EXPECT_EQ(FindTrayToolbar(sim.desktop, shell), platform::kNoWindow)
        << "5.0 looks for the toolbar straight under TrayNotifyWnd";
    shell.version = {4, 0};
    EXPECT_EQ(FindTrayToolbar(sim.desktop, shell), shell.notifyWnd);
}

TEST(TrayToolbarOldShellTest, Windows2000_ToolbarStraightUnderTrayNotifyWnd) {
    platform::sim::SimSystem sim;
    sim.notifyArea.openShell(30, 10, /*insidePager=*/false);
    sim.notifyArea.version = {5, 0};
    EXPECT_EQ(FindTrayToolbar(sim.desktop, sim.notifyArea), sim.notifyArea.toolbar);
    RefreshTray(sim.desktop, sim.notifyArea);
    EXPECT_EQ(sim.notifyArea.mouseMoves(sim.notifyArea.toolbar).size(), 29u * 9u);
}

TEST_F(TrayToolbarTest, Refresh_WithoutToolbarOrWithEmptyClientArea_PostsNothing) {
    shell.setClientSize(shell.toolbar, {1, 40});
    RefreshTray(sim.desktop, shell);
    EXPECT_TRUE(shell.mouseMoves(shell.toolbar).empty());
    sim.desktop.close(shell.sysPager);
    RefreshTray(sim.desktop, shell);
    EXPECT_TRUE(shell.mouseMoves(shell.notifyWnd).empty());
}

TEST_F(TrayToolbarTest, FirstShellInZOrderIsTheOneUsed) {
    // Another program's window of the same class on top (as Wine's own explorer has one)
    // hides ours from FindWindow: the chain then fails cleanly instead of reaching ours.
    platform::sim::SimWindow other;
    other.className = "Shell_TrayWnd";
    sim.desktop.open(other);
    icons({{"QQ", 1}});
    EXPECT_TRUE(list().empty());
    expectAllReleased();
}

}  // namespace
}  // namespace tray::testing
