// The tray page as a user drives it: refresh, choose a row, hide and show one or all.
#include "tray_fixture.h"

namespace tray::testing {
namespace {

TEST_F(TrayPageTest, Controls_CaptionsAndNoChoiceAfterLoad) {
    EXPECT_EQ(page.cmdRefresh2.text(), "刷新列表");
    EXPECT_EQ(page.cmdHide2.text(), "隐藏图标");
    EXPECT_EQ(page.cmdShow2.text(), "显示图标");
    EXPECT_EQ(page.cmdHideAll.text(), "隐藏全部");
    EXPECT_EQ(page.cmdShowAll.text(), "显示全部");
    EXPECT_FALSE(page.cmdHide2.enabled());
    EXPECT_FALSE(page.cmdShow2.enabled());
    EXPECT_FALSE(page.tmrEnabled2.running()) << "nothing to do until the choice changes";
    EXPECT_EQ(Frame2.children().size(), 8u);
}

TEST_F(TrayPageTest, ButtonState_FollowsTheChosenRowAtTheNextTick) {
    icons({{"QQ", 1}, {"Mail", 2}, {"", 3}});
    page.cmdRefresh2.raiseClick();
    EXPECT_EQ(rows(), Rows({"QQ", "Mail", ""}));

    clickRow("Mail");
    EXPECT_EQ(page.txtTrayTitle.text(), "Mail");
    EXPECT_FALSE(page.cmdHide2.enabled()) << "not before the timer runs";
    forms.advance(1);
    EXPECT_TRUE(page.cmdHide2.enabled());
    EXPECT_TRUE(page.cmdShow2.enabled());

    clickRowAt(2);  // the empty row can be chosen, but there is nothing to act on
    EXPECT_EQ(page.txtTrayTitle.text(), "");
    forms.advance(1);
    EXPECT_FALSE(page.cmdHide2.enabled());
    EXPECT_FALSE(page.cmdShow2.enabled());

    clickRow("QQ");
    forms.advance(1);
    page.cmdRefresh2.raiseClick();
    EXPECT_EQ(page.txtTrayTitle.text(), "");
    forms.advance(1);
    EXPECT_FALSE(page.cmdHide2.enabled()) << "a refresh drops the choice";
    EXPECT_FALSE(page.tmrEnabled2.running()) << "once per change, never polling";
}

TEST_F(TrayPageTest, ButtonState_OutOfSightWaitsUntilThePageIsSeenAgain) {
    icons({{"QQ", 1}});
    page.cmdRefresh2.raiseClick();
    Frame2.setVisible(false);
    clickRow("QQ");
    forms.advance(1000);
    EXPECT_FALSE(page.cmdHide2.enabled());
    EXPECT_FALSE(page.tmrEnabled2.running());

    Frame2.setVisible(true);
    forms.advance(1);
    EXPECT_TRUE(page.cmdHide2.enabled());
    EXPECT_TRUE(page.cmdShow2.enabled());
}

TEST_F(TrayPageTest, HideOne_MarksTheRow_SecondHideChangesNothing_ShowUnmarks) {
    icons({{"QQ", 4}, {"Mail", 9}});
    page.cmdRefresh2.raiseClick();
    clickRow("QQ");
    forms.advance(1);

    page.cmdHide2.raiseClick();
    EXPECT_TRUE(page.Dotray);
    EXPECT_TRUE(hidden(4));
    EXPECT_FALSE(hidden(9));
    EXPECT_EQ(page.hideList2, Rows({"QQ"}));
    EXPECT_EQ(rows(), Rows({"[隐藏] QQ", "Mail"}));
    EXPECT_EQ(page.txtTrayTitle.text(), "");
    EXPECT_EQ(shell.mouseMoves(shell.toolbar).size(), 99u * 19u) << "one sweep per hide";

    clickRow("[隐藏] QQ");
    page.cmdHide2.raiseClick();
    EXPECT_EQ(page.hideList2, Rows({"QQ"})) << "a marked row is not added again";
    EXPECT_EQ(rows(), Rows({"[隐藏] QQ", "Mail"}));

    clickRow("[隐藏] QQ");
    page.cmdShow2.raiseClick();
    EXPECT_FALSE(hidden(4));
    EXPECT_TRUE(page.hideList2.empty());
    EXPECT_EQ(rows(), Rows({"QQ", "Mail"}));
    EXPECT_TRUE(page.Dotray) << "showing never clears the flag";
    expectAllReleased();
}

TEST_F(TrayPageTest, ShowOne_OnAnUnmarkedRowShowsItsIcons) {
    icons({{"QQ", 1}});
    shell.buttons[0].hidden = true;  // hidden by someone else
    page.cmdRefresh2.raiseClick();
    clickRow("QQ");
    page.cmdShow2.raiseClick();
    EXPECT_FALSE(hidden(1));
    EXPECT_FALSE(page.Dotray);
}

TEST_F(TrayPageTest, HideOne_WithoutAChosenRowDoesNothing) {
    icons({{"", 1}, {"QQ", 2}, {"", 3}});
    page.cmdRefresh2.raiseClick();
    page.cmdHide2.raiseClick();  // a click that arrives before the buttons are disabled
    clickRowAt(1);
    page.cmdHide2.raiseClick();
    EXPECT_TRUE(hiddenIds().empty());
    EXPECT_TRUE(page.hideList2.empty());
    EXPECT_FALSE(page.Dotray);
}

TEST_F(TrayPageTest, HideAll_HidesEveryIcon_ThenShowAllBringsThemBack) {
    icons({{"QQ", 30}, {"QQ", 31}, {"Mail", 32}, {"", 33}, {"Volume", 34}});
    page.cmdHideAll.raiseClick();
    EXPECT_TRUE(page.Dotray);
    EXPECT_EQ(hiddenIds(), std::vector<int>({30, 31, 32, 33, 34}));
    EXPECT_EQ(page.hideList2, Rows({"QQ", "Mail", "", "Volume"}));
    EXPECT_EQ(rows(), Rows({"[隐藏] QQ", "[隐藏] Mail", "[隐藏] ", "[隐藏] Volume"}));

    page.cmdHideAll.raiseClick();
    EXPECT_EQ(page.hideList2, Rows({"QQ", "Mail", "", "Volume"})) << "marked rows are not added";

    page.cmdShowAll.raiseClick();
    EXPECT_TRUE(hiddenIds().empty());
    EXPECT_TRUE(page.hideList2.empty());
    EXPECT_EQ(rows(), Rows({"QQ", "Mail", "", "Volume"}));
    EXPECT_TRUE(page.Dotray);
    expectAllReleased();
}

TEST_F(TrayPageTest, SameTextApart_HideAllAddsItTwice_ShowingOneRowUnmarksBoth) {
    icons({{"QQ", 1}, {"Mail", 2}, {"QQ", 3}});
    page.cmdHideAll.raiseClick();
    EXPECT_EQ(page.hideList2, Rows({"QQ", "Mail", "QQ"}));
    EXPECT_EQ(rows(), Rows({"[隐藏] QQ", "[隐藏] Mail", "[隐藏] QQ"}));

    clickRowAt(2);
    page.cmdShow2.raiseClick();
    EXPECT_EQ(page.hideList2, Rows({"Mail"}));
    EXPECT_EQ(rows(), Rows({"QQ", "[隐藏] Mail", "QQ"}));
    EXPECT_FALSE(hidden(1));
    EXPECT_FALSE(hidden(3));
    EXPECT_TRUE(hidden(2));
}

TEST_F(TrayPageTest, Marking_IsExactAndOnce) {
    icons({{"QQ", 1}, {"qq", 2}, {"Mail", 3}});
    page.hideList2 = {"QQ", "QQ"};
    page.ListTrayButtons();
    EXPECT_EQ(rows(), Rows({"[隐藏] QQ", "qq", "Mail"}));
}

TEST_F(TrayPageTest, HiddenListOutlivesTheIcon_AndMarksItWhenItComesBack) {
    icons({{"QQ", 1}});
    page.cmdRefresh2.raiseClick();
    clickRow("QQ");
    page.cmdHide2.raiseClick();
    shell.buttons.clear();  // the program ended and its icon went away
    page.cmdRefresh2.raiseClick();
    EXPECT_TRUE(rows().empty());
    icons({{"QQ", 8}});  // started again: a new icon with a new identifier
    page.cmdRefresh2.raiseClick();
    EXPECT_EQ(rows(), Rows({"[隐藏] QQ"}));
    EXPECT_FALSE(hidden(8)) << "marking is about the list only";
}

TEST_F(TrayPageTest, ShellUnreachable_PageStaysEmptyAndFlagsStillFollowTheClicks) {
    icons({{"QQ", 1}});
    shell.processOpens = false;
    page.cmdHideAll.raiseClick();
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(page.Dotray);
    EXPECT_TRUE(page.hideList2.empty());
    EXPECT_FALSE(hidden(1));
    expectAllReleased();
}

}  // namespace
}  // namespace tray::testing
