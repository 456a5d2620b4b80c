// The wildcard patterns of the hiding rules: case, stars, question marks by character,
// and patterns built to make a backtracking matcher take forever.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "rules/wildcard.h"

namespace rules {
namespace {

bool match(const char* pattern, const std::string& text) {
    return Wildcard(pattern).matches(std::string_view(text));
}

TEST(WildcardTest, LettersMatchInEitherCase_LatinCyrillicAndFullWidthToo) {
    EXPECT_TRUE(match("NOTEPAD.EXE", "notepad.exe"));
    EXPECT_TRUE(match("Привет", "пРИВЕТ"));
    EXPECT_TRUE(match("ＡＢＣ", "ａｂｃ"));
    EXPECT_TRUE(match("Café", "CAFÉ"));
    EXPECT_FALSE(match("notepad.exe", "notepad.ex"));
    EXPECT_FALSE(match("notepad", "notepad.exe")) << "a pattern covers the whole text";
}

TEST(WildcardTest, StarStandsForAnyRunIncludingNone) {
    EXPECT_TRUE(match("*", ""));
    EXPECT_TRUE(match("*", "anything"));
    EXPECT_TRUE(match("*.exe", "game.exe"));
    EXPECT_TRUE(match("*.exe", ".exe"));
    EXPECT_TRUE(match("微信*", "微信"));
    EXPECT_TRUE(match("*Excel*", "Book1 - Excel"));
    EXPECT_TRUE(match("a**b", "ab"));
    EXPECT_TRUE(match("*a*b*c*", "xxaxxbxxcxx"));
    EXPECT_FALSE(match("*a*b*c*", "xxcxxbxxaxx")) << "pieces in order";
    EXPECT_FALSE(match("ab*ba", "aba")) << "first and last piece may not share a character";
    EXPECT_FALSE(match("*.exe", "game.exe.lnk"));
}

TEST(WildcardTest, QuestionMarkStandsForOneCharacterNotOneByte) {
    EXPECT_TRUE(match("???", "abc"));
    EXPECT_TRUE(match("??", "微信")) << "two characters of three bytes each";
    EXPECT_FALSE(match("??????", "微信"));
    EXPECT_TRUE(match("?", "😀")) << "one character outside the basic plane";
    EXPECT_TRUE(match("Chat ?", "Chat 😀"));
    EXPECT_TRUE(match("*?", "x"));
    EXPECT_FALSE(match("*?", ""));
    EXPECT_TRUE(match("a?c*", "abcdef"));
}

TEST(WildcardTest, PathologicalPatternsFinishAtOnce) {
    // A backtracking matcher tries every way of spreading the stars: for this pattern
    // against this text that is beyond any patience.
    std::string pattern;
    for (int i = 0; i < 200; ++i)
        pattern += "*a";
    pattern += "*b";
    const std::string text(20000, 'a');
    const std::string longPiece = std::string(1000, 'a') + "?b";
    const auto start = std::chrono::steady_clock::now();

    EXPECT_FALSE(Wildcard(pattern).matches(std::string_view(text)));
    EXPECT_TRUE(Wildcard(pattern).matches(std::string_view(text + "b")));
    // One long piece between stars: a search that retries it at every place of the
    // text compares 1000 characters 19000 times.
    EXPECT_FALSE(Wildcard("*" + longPiece + "*").matches(std::string_view(text)));
    EXPECT_TRUE(Wildcard("*" + longPiece + "*").matches(std::string_view(text + "xb")));

    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 2000);
}

}  // namespace
}  // namespace rules
