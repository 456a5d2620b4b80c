#include <gtest/gtest.h>

#include <cmath>

#include "core/text.h"
#include "core/utf.h"
#include "core/val.h"

namespace {

TEST(Utf, RoundTripsChineseAndAstralText) {
    std::string text = "[隐藏] 记事本 😀 Notepad";
    EXPECT_EQ(core::utf16ToUtf8(core::utf8ToUtf16(text)), text);
    EXPECT_EQ(core::utf8ToUtf16("隐").size(), 1u);
    EXPECT_EQ(core::utf8ToUtf16("😀").size(), 2u);
}

TEST(Utf, BrokenInputBecomesReplacementInsteadOfCrashing) {
    EXPECT_EQ(core::utf8ToUtf16(std::string("\xE9\x9A", 2)), u"\uFFFD");
    EXPECT_EQ(core::utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Text, SuffixIgnoringCaseAndSplit) {
    EXPECT_TRUE(core::endsWithNoCase("C:\\Docs\\", "\\"));
    EXPECT_TRUE(core::endsWithNoCase("file.INI", ".ini"));
    EXPECT_FALSE(core::endsWithNoCase("i", ".ini"));
    EXPECT_EQ(core::split("65,0,-1,0", ',').size(), 4u);
    EXPECT_EQ(core::split("", ',').size(), 1u);
    EXPECT_EQ(core::trim("  a b  "), "a b");
    EXPECT_EQ(core::trim(" \ta\n "), "\ta\n") << "blanks only, as the program always trimmed";
    EXPECT_EQ(core::trim("   "), "");
}

TEST(Val, ReadsLeadingNumberAndIgnoresTheRest) {
    EXPECT_EQ(core::val("  12abc"), 12);
    EXPECT_EQ(core::val("-1"), -1);
    EXPECT_EQ(core::val("abc"), 0);
    EXPECT_EQ(core::val("&H1F"), 31);
    EXPECT_DOUBLE_EQ(core::val("2.5"), 2.5);
    EXPECT_EQ(core::valInt("99999999999"), 2147483647);
    EXPECT_EQ(core::valInt(""), 0);
}

// More digits than a double holds, before or after the point, still read as a number:
// once they were inf / inf, which is no number at all, and an Update.txt version of
// ".888..." compared as neither older nor newer.
TEST(Val, LongNumbersStayNumbers) {
    const std::string many(400, '8');
    EXPECT_DOUBLE_EQ(core::val("." + many), 0.8888888888888889);
    EXPECT_DOUBLE_EQ(core::val("1234567890123456789012.5"), 1234567890123456789012.5);
    EXPECT_NEAR(core::val(many.substr(100) + "." + many) / 8.888888888888889e299, 1, 1e-14);
    EXPECT_DOUBLE_EQ(core::val("1" + std::string(300, '0') + "." + many), 1e300);
    EXPECT_EQ(core::val(many + "." + many), HUGE_VAL);
    EXPECT_DOUBLE_EQ(core::val("0." + std::string(350, '0') + "1e351"), 1.0);
    EXPECT_DOUBLE_EQ(core::val(std::string(380, '1') + "e-378"), 11.111111111111111);
    EXPECT_EQ(core::valInt(many + "." + many), 2147483647);
    EXPECT_EQ(core::valInt("-" + many + "." + many), -2147483647 - 1);
}

}  // namespace
