// Which windows and icons the rules let the one-key hide take, and the rules as the
// settings file keeps them.
#include <gtest/gtest.h>

#include "platform/sim/sim_system.h"
#include "rules/hide_rules.h"
#include "rules/rules_file.h"

namespace rules {
namespace {

Rule keep(const char* p) {
    return {RuleKind::Keep, p};
}
Rule only(const char* p) {
    return {RuleKind::Only, p};
}

TEST(HideRulesTest, NoRulesHideEverything) {
    const HideRules none;
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(none.hides("", ""));
    EXPECT_TRUE(none.hides("excel.exe", "Book1 - Excel"));
}

TEST(HideRulesTest, KeepMatchesProgramNameOrTitle_AndWinsOverOnly) {
    const HideRules rules({keep("EXCEL.EXE"), keep("*预算*"), only("*.exe")});
    EXPECT_FALSE(rules.hides("excel.exe", "Book1")) << "kept by its program";
    EXPECT_FALSE(rules.hides("wps.exe", "2024 预算表")) << "kept by its title";
    EXPECT_TRUE(rules.hides("game.exe", "Game"));
    EXPECT_FALSE(rules.hides("", "Untitled")) << "only rules exist and none matches";
}

TEST(HideRulesTest, OnlyRulesTakeWhatMatchesEitherName) {
    const HideRules rules({only("game.exe"), only("*QQ*")});
    EXPECT_TRUE(rules.hides("Game.exe", "Level 3"));
    EXPECT_TRUE(rules.hides("tencent.exe", "QQ 好友在线")) << "an icon by its text";
    EXPECT_FALSE(rules.hides("notepad.exe", "notes.txt"));
    EXPECT_FALSE(rules.hides("", "")) << "an icon whose program is unknown and has no text";
}

TEST(HideRulesTest, BlankAndUnusablePatternsAreNoRules) {
    const HideRules rules(
        {keep(""), keep("   "), only(std::string(300, 'x').c_str()), only("bad\tpattern")});
    EXPECT_TRUE(rules.empty());
    EXPECT_EQ(cleanPattern("  notepad.exe "), "notepad.exe");
}

class RulesFileTest : public ::testing::Test {
  protected:
    std::string file() { return sim.files.readFile(path).value_or("<none>"); }
    void put(const std::string& text) { sim.files.put(path, text); }

    platform::sim::SimSystem sim;
    const std::string path = "C:\\Config.ini";
};

TEST_F(RulesFileTest, FileWithoutTheSectionHasNoRulesAndIsLeftAlone) {
    const std::string older = "[HotKey]\r\n0=65,0,-1,0\r\n[Config]\r\nEndMsg=0\r\n";
    put(older);
    EXPECT_TRUE(ReadRules(sim.profile, path).empty());
    EXPECT_EQ(file(), older) << "reading the rules writes no defaults";
    EXPECT_TRUE(ReadRules(sim.profile, "C:\\missing.ini").empty());
}

TEST_F(RulesFileTest, ReadsKeepThenOnlyByNumber_SkippingEmptyAndMalformedKeys) {
    put("[Rules]\r\nOnly2=*.exe\r\nKeep3=excel.exe\r\nKeep1=  预算*  \r\nKeep2=\r\n"
        "Keep0=zero\r\nKeep65=far\r\nKeep07=padded\r\nKeepX=x\r\nOnly1=game.exe\r\n"
        "only3=qq.exe\r\nKeep4=" +
        std::string(400, 'y') + "\r\nNote=kept\r\n");
    const std::vector<Rule> want = {keep("预算*"), keep("excel.exe"), only("game.exe"),
                                    only("*.exe"), only("qq.exe")};
    EXPECT_EQ(ReadRules(sim.profile, path), want);
}

TEST_F(RulesFileTest, WriteNumbersFromOneAndRemovesStaleRuleKeysOnly) {
    put("[Config]\r\nEndMsg=0\r\n[Rules]\r\nKeep1=old\r\nKeep2=older\r\nOnly5=x\r\nNote=mine\r\n");
    WriteRules(sim.profile, path, {only("game.exe"), keep("excel.exe"), keep("  ")});
    EXPECT_EQ(file(),
              "[Config]\r\nEndMsg=0\r\n[Rules]\r\nKeep1=excel.exe\r\nNote=mine\r\n"
              "Only1=game.exe\r\n");
    EXPECT_EQ(ReadRules(sim.profile, path),
              (std::vector<Rule>{keep("excel.exe"), only("game.exe")}));

    WriteRules(sim.profile, path, {});
    EXPECT_EQ(file(), "[Config]\r\nEndMsg=0\r\n[Rules]\r\nNote=mine\r\n");
}

// The settings file hands a value back without a pair of quotes around it: a keep rule
// '*' once came back as *, which keeps everything.
TEST_F(RulesFileTest, PatternsWithQuotesAtTheirEndsComeBackWithThem) {
    const std::vector<Rule> rules = {keep("'*'"), keep("\"a"), only("\"Untitled\""),
                                     only("say \"hi\"")};
    WriteRules(sim.profile, path, rules);
    EXPECT_EQ(ReadRules(sim.profile, path), rules);
    const HideRules back(ReadRules(sim.profile, path));
    EXPECT_TRUE(back.hides("", "\"Untitled\""));
    EXPECT_FALSE(back.hides("", "Untitled"));
}

TEST_F(RulesFileTest, AtMostSixtyFourOfEachKindAreWritten) {
    std::vector<Rule> many;
    for (int i = 0; i < 70; ++i)
        many.push_back({RuleKind::Keep, "p" + std::to_string(i) + ".exe"});
    WriteRules(sim.profile, path, many);
    const std::vector<Rule> back = ReadRules(sim.profile, path);
    ASSERT_EQ(back.size(), 64u);
    EXPECT_EQ(back.back().pattern, "p63.exe");
}

}  // namespace
}  // namespace rules
