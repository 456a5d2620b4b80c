// The portable INI engine on its own. Each behaviour here was seen from the system's own
// profile functions too (the Wine test compares both byte for byte).
#include <gtest/gtest.h>

#include "platform/ini_file.h"

namespace {

namespace ini = platform::ini;

TEST(IniEngine, RewriteUsesTheSystemLayout) {
    std::string text = "  [HotKey]  \n\n 0 =  65,0,-1,0  \n\n\n[Config]\rStartRun=1";
    std::optional<std::string> out = ini::write(text, "Config", "EndMsg", "1");
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, "[HotKey]\r\n0=65,0,-1,0\r\n[Config]\r\nStartRun=1\r\nEndMsg=1\r\n");
}

TEST(IniEngine, NewSectionAndKeysGoToTheEnd) {
    std::string text = *ini::write("", "HotKey", "0", "65,0,-1,0");
    text = *ini::write(text, "Config", "StartRun", "0");
    text = *ini::write(text, "hotkey", "1", "77,0,-1,0");
    EXPECT_EQ(text, "[HotKey]\r\n0=65,0,-1,0\r\n1=77,0,-1,0\r\n[Config]\r\nStartRun=0\r\n");
}

TEST(IniEngine, ReplacesInPlaceKeepingTheStoredNames) {
    std::string text = "[CONFIG]\r\nstartrun=0\r\nEndMsg=0\r\n";
    EXPECT_EQ(*ini::write(text, "Config", "StartRun", "1"),
              "[CONFIG]\r\nstartrun=1\r\nEndMsg=0\r\n");
    EXPECT_EQ(ini::read(text, " config ", "ENDMSG"), "0");
}

TEST(IniEngine, StoringTheSameValueChangesNothing) {
    std::string text = "[Config]\nStartRun=1\n";
    EXPECT_FALSE(ini::write(text, "Config", "StartRun", "1").has_value());
    EXPECT_FALSE(ini::write(text, "Config", "StartRun", "  1").has_value());
    EXPECT_TRUE(ini::write(text, "Config", "StartRun", "1 ").has_value());
}

TEST(IniEngine, ReadsWhatTheSystemHandsOut) {
    std::string text =
        "; comment\r\n[Config]\r\n  BlackPwd =  two words  \r\nQuoted=\"q\"\r\nSingle='s'\r\n"
        "Lone=\"\r\nNoEquals\r\nEmpty=\r\n[Config]\r\nLater=1\r\n";
    EXPECT_EQ(ini::read(text, "Config", "BlackPwd"), "two words");
    EXPECT_EQ(ini::read(text, "Config", "Quoted"), "q");
    EXPECT_EQ(ini::read(text, "Config", "Single"), "s");
    EXPECT_EQ(ini::read(text, "Config", "Lone"), "\"");
    EXPECT_EQ(ini::read(text, "Config", "Empty"), "");
    EXPECT_FALSE(ini::read(text, "Config", "NoEquals").has_value());
    EXPECT_FALSE(ini::read(text, "Config", "Missing").has_value());
    EXPECT_FALSE(ini::read(text, "Other", "BlackPwd").has_value());
    // Only the first of two sections with one name is looked at.
    EXPECT_FALSE(ini::read(text, "Config", "Later").has_value());
}

TEST(IniEngine, CommentsAndStrayLinesSurviveARewrite) {
    std::string text = "; Veilor\r\nstray\r\n[HotKey]\r\n;note\r\n=a\r\n=b\r\n";
    EXPECT_EQ(*ini::write(text, "HotKey", "0", "1"),
              "; Veilor\r\nstray\r\n[HotKey]\r\n;note\r\n=a\r\n0=1\r\n");
}

}  // namespace
