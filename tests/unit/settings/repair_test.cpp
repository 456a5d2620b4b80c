#include "settings/repair.h"

#include "settings_fixture.h"

namespace {

using settings_test::kDefaultFile;
using settings_test::SettingsTest;

const char* const kQuestion =
    "修复快捷键会造成其他设置恢复为默认状态，同时会清空黑屏密码，您确定要继续修复？";

class RepairTest : public SettingsTest {
  protected:
    void repair() { settings::Command13(dialogs, sim.files, sim.shell, mydoc); }
    void expectQuestionFirst() {
        ASSERT_GE(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].text, kQuestion);
        EXPECT_EQ(dialogs.messages()[0].title, "提示");
        EXPECT_EQ(dialogs.messages()[0].style, 33);
    }
};

TEST_F(RepairTest, DeletableFileIsRemovedAndTheProgramEnds) {
    sim.files.put(path, "[HotKey]\r\n0=46,0,0,0\r\n[Config]\r\nBlackPwd=secret\r\n");
    repair();
    expectQuestionFirst();
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text, "请重新启动Veilor。");
    EXPECT_EQ(dialogs.messages()[1].title, "修复成功");
    EXPECT_EQ(dialogs.messages()[1].style, 0);
    EXPECT_FALSE(sim.files.fileExists(path));
    EXPECT_TRUE(sim.shell.ended);

    // The next start writes every default again, the password gone.
    load();
    EXPECT_EQ(file(), kDefaultFile);
    EXPECT_EQ(boxes[0]->text(), "Alt + A");
}

TEST_F(RepairTest, UndeletableFileAsksTheUserToDeleteItAndStillEnds) {
    sim.files.put(path, kDefaultFile);
    sim.files.lock(path);
    repair();
    expectQuestionFirst();
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text,
              "请手动删除\"我的文档\\Veilor\\Config.ini\"文件后，重新启动Veilor。");
    EXPECT_EQ(dialogs.messages()[1].title, "修复失败");
    EXPECT_EQ(dialogs.messages()[1].style, 48);
    EXPECT_TRUE(sim.files.fileExists(path));
    EXPECT_TRUE(sim.shell.ended);
}

TEST_F(RepairTest, MissingFileEndsTheActionWithoutAMessage) {
    repair();
    expectQuestionFirst();
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_FALSE(sim.shell.ended);
}

TEST_F(RepairTest, CancelLeavesEverythingAsItWas) {
    sim.files.put(path, kDefaultFile);
    dialogs.answerMessage(ui::mb::kAnswerCancel);
    repair();
    expectQuestionFirst();
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(file(), kDefaultFile);
    EXPECT_FALSE(sim.shell.ended);
}

}  // namespace
