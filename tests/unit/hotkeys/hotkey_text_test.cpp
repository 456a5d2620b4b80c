#include <gtest/gtest.h>

#include "hotkeys/hotkey_text.h"

namespace {

struct Row {
    int keyCode, ctrl, alt, shift;
    const char* text;
    const char* tag;
};

void expectBox(const Row& row) {
    ui::TextBox box(nullptr, 1, "txtHotKey");
    box.tag = "stale";
    hotkeys::SetHotKeyBox(box, row.keyCode, row.ctrl, row.alt, row.shift);
    EXPECT_EQ(box.text(), row.text)
        << row.keyCode << "," << row.ctrl << "," << row.alt << "," << row.shift;
    EXPECT_EQ(box.tag, row.tag) << row.keyCode;
    EXPECT_EQ(hotkeys::HotKeyText(row.keyCode, row.ctrl, row.alt, row.shift), row.text);
}

TEST(HotKeyBox, ShowsTheKeysAsTheUserPressedThem) {
    const Row rows[] = {
        {116, -1, 0, -1, "Ctrl + Shift + F5", "116,-1,0,-1"},
        {65, 0, -1, 0, "Alt + A", "65,0,-1,0"},
        {55, -1, -1, 0, "Ctrl + Alt + 7", "55,-1,-1,0"},
        {32, 0, -1, 0, "Alt", "32,0,-1,0"},
        {17, -1, 0, 0, "Ctrl", "17,-1,0,0"},
        {65, 0, 0, 0, "(热键至少需要一个控制键)", "65,0,0,0"},
        {46, -1, 0, 0, "(空)", "46,0,0,0"},
        {90, -1, -1, -1, "Ctrl + Alt + Shift + Z", "90,-1,-1,-1"},
        {48, 0, 0, -1, "Shift + 0", "48,0,0,-1"},
        {57, 0, -1, -1, "Alt + Shift + 9", "57,0,-1,-1"},
        {112, -1, 0, 0, "Ctrl + F1", "112,-1,0,0"},
    };
    for (const Row& row : rows)
        expectBox(row);
}

TEST(HotKeyBox, DeleteAndBackspaceEmptyTheBoxWhateverTheModifiers) {
    for (int key : {8, 46}) {
        expectBox({key, 0, 0, 0, "(空)", "46,0,0,0"});
        expectBox({key, -1, -1, -1, "(空)", "46,0,0,0"});
        expectBox({key, 1, 0, 7, "(空)", "46,0,0,0"});
    }
}

TEST(HotKeyBox, KeysOutsideDigitsLettersAndF1ToF13AreNotNamed) {
    expectBox({111, -1, 0, 0, "Ctrl", "111,-1,0,0"});
    expectBox({124, 0, -1, 0, "Alt + F13", "124,0,-1,0"});
    expectBox({125, 0, -1, 0, "Alt", "125,0,-1,0"});
    expectBox({47, 0, -1, 0, "Alt", "47,0,-1,0"});
    expectBox({58, 0, -1, 0, "Alt", "58,0,-1,0"});
    expectBox({64, 0, -1, 0, "Alt", "64,0,-1,0"});
    expectBox({91, 0, -1, 0, "Alt", "91,0,-1,0"});
    expectBox({97, 0, -1, 0, "Alt", "97,0,-1,0"});
}

TEST(HotKeyBox, OnlyMinusOneShowsAModifierButTheTagKeepsTheField) {
    expectBox({65, 1, 0, 0, "(热键至少需要一个控制键)", "65,1,0,0"});
    expectBox({65, 1, -1, 2, "Alt + A", "65,1,-1,2"});
    expectBox({65, 0, 0, -1, "Shift + A", "65,0,0,-1"});
}

TEST(HotKeyValue, ParsesFourFieldsWithMissingOnesZeroAndExtraOnesIgnored) {
    hotkeys::HotKeyValue v = hotkeys::parseHotKeyValue("65,-1,0,0");
    EXPECT_EQ(v.keyCode, 65);
    EXPECT_EQ(v.ctrl, -1);
    EXPECT_EQ(v.alt, 0);
    EXPECT_EQ(v.shift, 0);

    v = hotkeys::parseHotKeyValue("82");
    EXPECT_EQ(v.keyCode, 82);
    EXPECT_EQ(v.ctrl, 0);
    EXPECT_EQ(v.shift, 0);

    v = hotkeys::parseHotKeyValue("66,0,-1,0,-1,99");
    EXPECT_EQ(v.keyCode, 66);
    EXPECT_EQ(v.alt, -1);
    EXPECT_EQ(v.shift, 0);

    v = hotkeys::parseHotKeyValue(" 70x,abc,-1junk,");
    EXPECT_EQ(v.keyCode, 70);
    EXPECT_EQ(v.ctrl, 0);
    EXPECT_EQ(v.alt, -1);
    EXPECT_EQ(v.shift, 0);

    v = hotkeys::parseHotKeyValue("");
    EXPECT_EQ(v.keyCode, 0);
}

}  // namespace
