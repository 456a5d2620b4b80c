// The rules on the running program: the one-key hide leaves what they keep unmarked and
// unrecorded, takes only what they name, and the settings page edits, saves and
// discards them like every other setting.
#include <gtest/gtest.h>

#include "app/app_fixture.h"
#include "rules/rules_file.h"

namespace rules {
namespace {

using platform::WindowHandle;

constexpr const char* kConfigPath = "C:\\Users\\user\\Documents\\Veilor\\Config.ini";

class RulesHideTest : public ::testing::Test {
  protected:
    RulesHideTest() {
        program.sim.notifyArea.openShell();
        program.sim.processes.add(201, "EXCEL.EXE").imagePath = "C:\\Office\\EXCEL.EXE";
        program.sim.processes.add(202, "game.exe").imagePath = "D:\\Games\\game.exe";
        program.sim.processes.add(203, "qq.exe").imagePath = "C:\\Tencent\\qq.exe";
        excel = peer("Book1 - Excel", 201);
        game = peer("Level 3", 202);
        chat = peer("QQ 好友", 203);
        budget = peer("预算 2024", 202);
        program.sim.notifyArea.addButton("QQ 在线", 7, chat);
        program.sim.notifyArea.addButton("Game Center", 8, game);
        program.sim.notifyArea.addButton("Excel Helper", 9);
    }
    WindowHandle peer(const std::string& title, std::uint32_t pid) {
        return desktop.open({.className = "Peer", .title = title, .processId = pid});
    }
    app::Frmain& startWith(const std::string& rulesSection) {
        program.sim.files.createFolder("C:\\Users\\user\\Documents\\Veilor");
        program.sim.files.put(kConfigPath, testing_support::kDefaultConfig + rulesSection);
        program.start();
        return program.frmain();
    }
    bool hidden(WindowHandle w) {
        const auto* window = desktop.find(w);
        return !window->visible && window->title.rfind("[隐藏] ", 0) == 0;
    }
    bool untouched(WindowHandle w, const std::string& title) {
        const auto* window = desktop.find(w);
        return window->visible && window->title == title;
    }
    bool iconHidden(int id) { return program.sim.notifyArea.buttonById(id)->hidden; }

    testing_support::SimProgram program;
    platform::sim::SimDesktop& desktop = program.sim.desktop;
    WindowHandle excel{}, game{}, chat{}, budget{};
};

TEST_F(RulesHideTest, KeepByProgramAndByTitle_LeavesThoseUnmarkedAndUnrecorded) {
    app::Frmain& frmain = startWith("[Rules]\r\nKeep1=excel.exe\r\nKeep2=预算*\r\n");
    frmain.Command7.raiseClick();

    EXPECT_TRUE(untouched(excel, "Book1 - Excel"));
    EXPECT_TRUE(untouched(budget, "预算 2024")) << "kept by title though its program is not";
    EXPECT_TRUE(hidden(game));
    EXPECT_TRUE(hidden(chat));
    const auto& recorded = frmain.hiddenRecord.state().windows;
    for (const auto& w : recorded)
        EXPECT_TRUE(w.handle != excel && w.handle != budget) << "recorded: " << w.title;
    EXPECT_EQ(recorded.size(), 2u);
    EXPECT_TRUE(iconHidden(7) && iconHidden(8) && iconHidden(9));

    frmain.restoreAll();
    EXPECT_TRUE(untouched(game, "Level 3"));
    EXPECT_TRUE(untouched(chat, "QQ 好友"));
}

TEST_F(RulesHideTest, OnlyRulesHideJustTheirMatches_KeepStillWins_IconsByProgramOrText) {
    app::Frmain& frmain = startWith("[Rules]\r\nOnly1=game.exe\r\nOnly2=*qq*\r\nKeep1=预算*\r\n");
    frmain.Command7.raiseClick();

    EXPECT_TRUE(hidden(game));
    EXPECT_TRUE(hidden(chat)) << "by its title";
    EXPECT_TRUE(untouched(budget, "预算 2024")) << "game.exe's, but kept by its title";
    EXPECT_TRUE(untouched(excel, "Book1 - Excel"));
    EXPECT_TRUE(iconHidden(7)) << "by its text";
    EXPECT_TRUE(iconHidden(8)) << "by its program";
    EXPECT_FALSE(iconHidden(9)) << "no program known and its text matches nothing";
}

TEST_F(RulesHideTest, PickedWindowsAndTheTrayPageIgnoreTheRules) {
    app::Frmain& frmain = startWith("[Rules]\r\nKeep1=*\r\n");
    frmain.Command7.raiseClick();
    EXPECT_TRUE(untouched(excel, "Book1 - Excel")) << "everything kept";
    EXPECT_FALSE(iconHidden(7));
    frmain.restoreAll();

    frmain.windowPage.txtWindowTitle.setText("Book1 - Excel");
    frmain.windowPage.cmdHide1_Click();
    EXPECT_TRUE(hidden(excel));
    frmain.trayPage.cmdHideAll_Click();
    EXPECT_TRUE(iconHidden(7) && iconHidden(8) && iconHidden(9));
}

TEST_F(RulesHideTest, TheRulesTabAddsAndRemoves_OkSavesAndCancelDiscards) {
    app::Frmain& frmain = startWith("");
    RulesPage& page = frmain.rulesPage;
    frmain.Command5.raiseClick();
    frmain.TabStrip1.select(3);
    EXPECT_TRUE(frmain.FrameRules.visible());
    EXPECT_EQ(page.lstPrograms.rows(),
              (std::vector<std::string>{"EXCEL.EXE", "game.exe", "qq.exe"}));

    page.lstPrograms.setListIndex(0);
    EXPECT_EQ(page.txtRule.text(), "EXCEL.EXE");
    page.cmdKeepRule.raiseClick();
    page.txtRule.setText("  Level*  ");
    page.cmdOnlyRule.raiseClick();
    EXPECT_TRUE(frmain.cmdSetOK.enabled());
    ASSERT_EQ(page.lvRules.items().size(), 2u);
    EXPECT_EQ(page.lvRules.items()[0].text, "保留");
    EXPECT_EQ(page.lvRules.items()[1].subItems, std::vector<std::string>{"Level*"});

    frmain.cmdSetCancel.raiseClick();
    EXPECT_TRUE(page.lvRules.items().empty());
    frmain.Command7.raiseClick();
    EXPECT_TRUE(hidden(excel)) << "cancelled rules do not count";
    frmain.restoreAll();

    page.txtRule.setText("excel.exe");
    page.cmdKeepRule.raiseClick();
    page.txtRule.setText("junk");
    page.cmdOnlyRule.raiseClick();
    page.lvRules.setSelectedIndex(1);
    page.cmdRemoveRule.raiseClick();
    frmain.cmdSetOK.raiseClick();
    EXPECT_NE(program.configText().find("[Rules]\r\nKeep1=excel.exe\r\n"), std::string::npos)
        << program.configText();
    EXPECT_EQ(program.configText().find("junk"), std::string::npos);
    frmain.Command7.raiseClick();
    EXPECT_TRUE(untouched(excel, "Book1 - Excel"));
    EXPECT_TRUE(hidden(game));
}

TEST_F(RulesHideTest, TheTabRefusesAnEmptyPatternAndOneTheFileCannotKeep) {
    program.sim.profile.codePage = platform::sim::SimProfile::CodePage::Western;
    app::Frmain& frmain = startWith("");
    RulesPage& page = frmain.rulesPage;
    page.txtRule.setText("   ");
    page.cmdKeepRule.raiseClick();
    page.txtRule.setText("预算*");
    page.cmdOnlyRule.raiseClick();
    EXPECT_TRUE(page.rules().empty());
    ASSERT_EQ(program.dialogs.messages().size(), 2u);
    EXPECT_EQ(program.dialogs.messages()[0].text,
              "请输入程序名或窗口标题，或从正在运行的程序中选择。");
    EXPECT_EQ(program.dialogs.messages()[1].style, 48);
    EXPECT_FALSE(frmain.cmdSetOK.enabled());
}

}  // namespace
}  // namespace rules
