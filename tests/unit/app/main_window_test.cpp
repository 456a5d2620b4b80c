#include <gtest/gtest.h>

#include "app/app_fixture.h"

namespace {

using testing_support::SimProgram;

TEST(MainWindowExit, AsksFirstAndNoKeepsEverything) {
    SimProgram p;
    p.start();
    p.dialogs.answerMessage(ui::mb::kAnswerNo);
    p.frmain().frmUnload.raiseClick();
    ASSERT_EQ(p.dialogs.messages().size(), 1u);
    EXPECT_EQ(p.dialogs.messages()[0].text, "退出程序后所有隐藏将恢复，确定仍要退出？");
    EXPECT_EQ(p.dialogs.messages()[0].title, "退出");
    EXPECT_EQ(p.dialogs.messages()[0].style, 292);
    EXPECT_TRUE(p.frmain().loaded());
    EXPECT_FALSE(p.frmain().formunload);
    EXPECT_EQ(p.quits, 0);

    p.dialogs.answerMessage(ui::mb::kAnswerYes);
    p.frmain().frmUnload.raiseClick();
    EXPECT_FALSE(p.frmain().loaded());
    EXPECT_EQ(p.quits, 1);
}

TEST(MainWindowExit, EndMsgSetExitsWithoutAQuestion) {
    SimProgram p;
    p.sim.files.put("C:\\Users\\user\\Documents\\Veilor\\Config.ini", "[Config]\r\nEndMsg=1\r\n");
    p.start();
    p.frmain().frmUnload.raiseClick();
    EXPECT_TRUE(p.dialogs.messages().empty());
    EXPECT_EQ(p.quits, 1);
    EXPECT_FALSE(p.frmain().loaded());
}

TEST(SettingsPage, TabsShowOneFrameAndOptionClicksMarkThePageChanged) {
    SimProgram p;
    p.start();
    app::Frmain& f = p.frmain();
    f.Command5.raiseClick();
    EXPECT_TRUE(f.Frame4.visible());
    EXPECT_FALSE(f.Frame3.visible());
    f.TabStrip1.select(1);
    EXPECT_FALSE(f.Frame5.visible());
    EXPECT_TRUE(f.Frame6.visible());
    EXPECT_FALSE(f.Frame7.visible());
    f.TabStrip1.select(2);
    EXPECT_TRUE(f.Frame7.visible());
    EXPECT_TRUE(f.txtHotKey[5]->shownOnScreen());
    EXPECT_FALSE(f.txtHotKey[0]->shownOnScreen());

    f.Label27.setText("已保存");
    f.CheckEndMini.raiseClick();
    f.CheckEndMini.raiseClick();
    EXPECT_EQ(f.CheckEndMini.value(), 0);
    EXPECT_TRUE(f.cmdSetOK.enabled());
    EXPECT_TRUE(f.cmdSetCancel.enabled());
    EXPECT_EQ(f.Label27.text(), "");
}

TEST(SettingsPage, RepairWithTheFileAbsentSaysNothing) {
    SimProgram p;
    p.start();
    p.sim.files.deleteFile("C:\\Users\\user\\Documents\\Veilor\\Config.ini");
    p.dialogs.answerMessage(ui::mb::kAnswerOk);
    p.frmain().Command13.raiseClick();
    ASSERT_EQ(p.dialogs.messages().size(), 1u);
    EXPECT_EQ(p.dialogs.messages()[0].style, 33);
    EXPECT_FALSE(p.sim.shell.ended);
}

}  // namespace
