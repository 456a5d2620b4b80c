#include <functional>

#include "hotkey_fixture.h"
#include "hotkeys/hotkey_page.h"
#include "hotkeys/hotkey_text.h"

namespace hotkey_test {
namespace {

constexpr int kLetters[7] = {'A', 'M', 'T', 'W', 'R', 'B', 'I'};

class HotKeyPageTest : public HotKeyFixture {
  protected:
    HotKeyPageTest() {
        hotkeys::HotKeyPage::Boxes boxes{};
        hotkeys::HotKeyPage::Marks marks{};
        hotkeys::HotKeyPage::Actions actions{};
        for (int i = 0; i < 7; ++i) {
            box[i] = std::make_unique<ui::TextBox>(&form, 1100 + i, "txtHotKey");
            mark[i] = std::make_unique<ui::Label>(&form, 1200 + i, "labHotKey");
            hotkeys::SetHotKeyBox(*box[i], kLetters[i], 0, -1, 0);
            boxes[i] = box[i].get();
            marks[i] = mark[i].get();
            actions[i] = [this, i] {
                ran.push_back(i);
                lastMarkWhenRun.push_back(mark[6]->text());
                if (whileRunning) whileRunning(i);
            };
        }
        page = std::make_unique<hotkeys::HotKeyPage>(*cHK, boxes, marks, Timer1, actions);
    }
    void setHotKeysAndArm() {
        page->SetHotKeys();
        forms.advance(10);
    }
    // The user goes into box i and presses a key there; returns the key code the box
    // itself still gets.
    int keyDown(int i, int keyCode, int shift) {
        box[i]->setFocus();
        box[i]->raiseKeyDown(keyCode, shift);
        return keyCode;
    }

    std::unique_ptr<ui::TextBox> box[7];
    std::unique_ptr<ui::Label> mark[7];
    std::unique_ptr<hotkeys::HotKeyPage> page;
    std::vector<int> ran;
    std::vector<std::string> lastMarkWhenRun;
    // Runs inside action i, before it returns.
    std::function<void(int)> whileRunning;
};

TEST_F(HotKeyPageTest, EachHotKeyRunsItsOwnActionAndTogglesItsMark) {
    setHotKeysAndArm();
    EXPECT_EQ((std::array<int, 7>{1, 2, 3, 4, 5, 6, 7}), page->HotKeyIds);
    for (int i = 0; i < 7; ++i) {
        ASSERT_TRUE(sim.hotKeys.press(kLetters[i], kAlt)) << i;
        EXPECT_EQ(std::vector<int>{i}, ran);
        ran.clear();
    }
    EXPECT_EQ("●", mark[0]->text());
    sim.hotKeys.press('A', kAlt);
    EXPECT_EQ("○", mark[0]->text());
    sim.hotKeys.press('A', kAlt);
    EXPECT_EQ("●", mark[0]->text());
    EXPECT_EQ("●", mark[6]->text());
}

TEST_F(HotKeyPageTest, HeldHotKeyRunsItsActionOnce) {
    // The keyboard repeats a held key; a registration that allows it sees every repeat.
    const platform::WindowHandle window = form.handle();
    ASSERT_TRUE(sim.hotKeys.registerHotKey(window, 77, kControl, 'Z'));
    EXPECT_EQ(5, sim.hotKeys.hold('Z', kControl, 4));

    setHotKeysAndArm();
    EXPECT_EQ(1, sim.hotKeys.hold('A', kAlt, 4));
    EXPECT_EQ(std::vector<int>{0}, ran);
    EXPECT_EQ("●", mark[0]->text());
}

TEST_F(HotKeyPageTest, PressWhileItsOwnActionRunsIsIgnoredAndOthersStillRun) {
    setHotKeysAndArm();
    whileRunning = [this](int i) {
        if (i != 0) return;
        // A message box inside the action pumps messages: the same key and another come.
        sim.hotKeys.press('A', kAlt);
        sim.hotKeys.press('T', kAlt);
    };
    sim.hotKeys.press('A', kAlt);
    EXPECT_EQ((std::vector<int>{0, 2}), ran);
    EXPECT_EQ("●", mark[0]->text()) << "the ignored press toggled the mark";

    whileRunning = nullptr;
    sim.hotKeys.press('A', kAlt);
    EXPECT_EQ((std::vector<int>{0, 2, 0}), ran) << "the key answers again once the action is done";
}

TEST_F(HotKeyPageTest, KeyCaptureSetsTextAndValueAndSwallowsTheKey) {
    int typed = 'x';
    box[0]->raiseKeyPress(typed);
    EXPECT_EQ(0, typed) << "a typed character would change the box's text";

    EXPECT_EQ(0, keyDown(0, 116, ui::kCtrlMask | ui::kAltMask | ui::kShiftMask));
    EXPECT_EQ("Ctrl + Alt + Shift + F5", box[0]->text());
    EXPECT_EQ("116,-1,-1,-1", box[0]->tag);
    for (int clearing : {8, 46}) {
        keyDown(1, 'M', ui::kAltMask);
        EXPECT_EQ(0, keyDown(1, clearing, ui::kCtrlMask));
        EXPECT_EQ("(空)", box[1]->text());
        EXPECT_EQ("46,0,0,0", box[1]->tag);
    }
    keyDown(2, 'A', 0);
    EXPECT_EQ("(热键至少需要一个控制键)", box[2]->text());
    EXPECT_EQ("65,0,0,0", box[2]->tag);

    setHotKeysAndArm();
    EXPECT_EQ((std::array<int, 7>{1, -1, -1, 2, 3, 4, 5}), page->HotKeyIds);
    EXPECT_EQ("65,0,0,0", box[2]->tag) << "a box without a modifier keeps its value";
    EXPECT_FALSE(sim.hotKeys.registered(0, 'A'));
    EXPECT_TRUE(sim.hotKeys.registered(kControl | kAlt | kShift, 116));
    EXPECT_EQ(5u, sim.hotKeys.registrations().size());
}

TEST_F(HotKeyPageTest, CombinationTakenByAnEarlierBoxOrAnotherProgramEmptiesTheBox) {
    keyDown(3, 'A', ui::kAltMask);
    sim.hotKeys.holdElsewhere(kAlt, 'B');
    setHotKeysAndArm();
    for (int i : {3, 5}) {
        EXPECT_EQ(-1, page->HotKeyIds[i]);
        EXPECT_EQ("(空)", box[i]->text());
        EXPECT_EQ("46,0,0,0", box[i]->tag);
    }
    EXPECT_EQ("Alt + A", box[0]->text());
    sim.hotKeys.press('A', kAlt);
    EXPECT_EQ(std::vector<int>{0}, ran);
}

TEST_F(HotKeyPageTest, AnyNonZeroStoredModifierCountsWhenRegistering) {
    hotkeys::SetHotKeyBox(*box[0], 'Q', -1, 1, 0);  // as loaded from a hand-edited file
    setHotKeysAndArm();
    EXPECT_EQ("Ctrl + Q", box[0]->text());
    EXPECT_TRUE(sim.hotKeys.registered(kControl | kAlt, 'Q'));
}

TEST_F(HotKeyPageTest, FocusingABoxSwitchesEveryHotKeyOff) {
    setHotKeysAndArm();
    box[4]->raiseGotFocus();
    EXPECT_TRUE(sim.hotKeys.registrations().empty());
    EXPECT_FALSE(sim.hotKeys.press('A', kAlt));
    keyDown(4, 'A', ui::kAltMask);
    EXPECT_EQ("Alt + A", box[4]->text());
    EXPECT_TRUE(ran.empty());
}

TEST_F(HotKeyPageTest, SavedCombinationTakenMeanwhileStaysOffAndTheOthersDispatch) {
    setHotKeysAndArm();
    keyDown(0, 'Q', ui::kCtrlMask);
    sim.hotKeys.holdElsewhere(kAlt, 'M');
    page->leaveBoxes();
    forms.advance(10);
    EXPECT_EQ((std::array<int, 7>{1, -1, 2, 3, 4, 5, 6}), page->HotKeyIds);
    EXPECT_EQ("Alt + M", box[1]->text()) << "the box shows what it shows until OK";
    EXPECT_EQ("Ctrl + Q", box[0]->text());
    ASSERT_TRUE(sim.hotKeys.press('T', kAlt));
    EXPECT_EQ(std::vector<int>{2}, ran);
    const auto atoms = sim.hotKeys.atoms();
    page->leaveBoxes();
    EXPECT_EQ(atoms, sim.hotKeys.atoms()) << "they were not off: nothing registered anew";
}

TEST_F(HotKeyPageTest, OneEntryOfTwoBoxesMarksBothBeforeEitherActionRuns) {
    setHotKeysAndArm();
    page->HotKeyIds[6] = page->HotKeyIds[2];  // an owner that bound two boxes to one entry
    sim.hotKeys.press('T', kAlt);
    EXPECT_EQ((std::vector<int>{2, 6}), ran);
    EXPECT_EQ((std::vector<std::string>{"●", "●"}), lastMarkWhenRun);
}

}  // namespace
}  // namespace hotkey_test
