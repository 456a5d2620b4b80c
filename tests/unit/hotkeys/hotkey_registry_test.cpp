#include <regex>

#include "hotkey_fixture.h"

namespace hotkey_test {
namespace {

using Registry = HotKeyFixture;

TEST_F(Registry, OneEntryPerCombinationEachUnderItsOwnLetterAtom) {
    EXPECT_EQ(1, cHK->AddHotKey('A', false, true, false));
    EXPECT_EQ(-1, cHK->AddHotKey('A', false, true, false));
    EXPECT_EQ(2, cHK->AddHotKey('A', true, false, false));
    EXPECT_EQ(3, cHK->AddHotKey(116, true, false, true));
    EXPECT_EQ(3, cHK->HotKeysCount());

    const auto& regs = sim.hotKeys.registrations();
    ASSERT_EQ(3u, regs.size());
    // Every combination is registered without auto-repeat.
    EXPECT_EQ(kAlt | kNoRepeat, regs[0].modifiers);
    EXPECT_EQ(kControl | kNoRepeat, regs[1].modifiers);
    EXPECT_EQ(kControl | kShift | kNoRepeat, regs[2].modifiers);
    EXPECT_EQ(116, regs[2].keyCode);
    ASSERT_EQ(3u, sim.hotKeys.atoms().size());
    for (const auto& [atom, name] : sim.hotKeys.atoms())
        EXPECT_TRUE(std::regex_match(name, std::regex("[A-Za-z]{1,16}"))) << name;
    for (const auto& r : regs)
        EXPECT_EQ(form.handle(), r.window);
}

TEST_F(Registry, RemovingAnEntryMovesTheLaterOnesDown) {
    for (int key : {'A', 'B', 'C'})
        cHK->AddHotKey(key, false, true, false);
    arm();
    EXPECT_FALSE(cHK->DelHotKey('B', true, false, false));
    EXPECT_TRUE(cHK->DelHotKey('B', false, true, false));
    EXPECT_EQ(2, cHK->HotKeysCount());
    EXPECT_FALSE(sim.hotKeys.registered(kAlt, 'B'));
    EXPECT_EQ(2u, sim.hotKeys.atoms().size());

    ASSERT_TRUE(sim.hotKeys.press('C', kAlt));
    ASSERT_TRUE(sim.hotKeys.press('A', kAlt));
    EXPECT_FALSE(sim.hotKeys.press('B', kAlt));
    EXPECT_EQ((std::vector<Press>{{2, 'C', false, true, false}, {1, 'A', false, true, false}}),
              presses);
}

TEST_F(Registry, SettingOfAnIndexOutsideTheTableLeavesTheOutputsAlone) {
    cHK->AddHotKey(116, true, false, true);
    cHK->AddHotKey('A', false, true, false);
    int key = 7;
    bool ctrl = false, alt = true, shift = false;
    EXPECT_EQ(-1, cHK->GetHotKeySetting(-1, key, ctrl, alt, shift));
    EXPECT_EQ(-1, cHK->GetHotKeySetting(3, key, ctrl, alt, shift));
    EXPECT_EQ(7, key);
    EXPECT_TRUE(alt);
    EXPECT_EQ(2, cHK->GetHotKeySetting(1, key, ctrl, alt, shift));
    EXPECT_EQ(116, key);
    EXPECT_TRUE(ctrl);
    EXPECT_FALSE(alt);
    EXPECT_TRUE(shift);
    EXPECT_EQ(2, cHK->GetHotKeySetting(2, key, ctrl, alt, shift));
    EXPECT_EQ('A', key);
}

TEST_F(Registry, CombinationHeldByAnotherProgramLeavesTableAndAtomsAsTheyWere) {
    cHK->AddHotKey('A', false, true, false);
    const auto atomsBefore = sim.hotKeys.atoms();
    sim.hotKeys.holdElsewhere(kAlt, 'B');
    EXPECT_EQ(-1, cHK->AddHotKey('B', false, true, false));
    EXPECT_EQ(1, cHK->HotKeysCount());
    EXPECT_EQ(atomsBefore, sim.hotKeys.atoms());
    EXPECT_EQ(1u, sim.hotKeys.registrations().size());

    sim.hotKeys.releaseElsewhere(kAlt, 'B');
    EXPECT_EQ(2, cHK->AddHotKey('B', false, true, false));
}

TEST_F(Registry, AtomsFromC000UpAreRegisteredAndMatchedAsNegativeIds) {
    sim.hotKeys.setNextAtom(0xC000);
    cHK->AddHotKey('A', false, true, false);
    sim.hotKeys.setNextAtom(0xFFFF);
    cHK->AddHotKey(120, true, true, true);
    ASSERT_EQ(2u, sim.hotKeys.registrations().size());
    EXPECT_EQ(-0x4000, sim.hotKeys.registrations()[0].id);
    EXPECT_EQ(-1, sim.hotKeys.registrations()[1].id);
    arm();
    ASSERT_TRUE(sim.hotKeys.press(120, kControl | kAlt | kShift));
    ASSERT_TRUE(sim.hotKeys.press('A', kAlt));
    EXPECT_EQ((std::vector<Press>{{2, 120, true, true, true}, {1, 'A', false, true, false}}),
              presses);
    // The same id as an unsigned 16-bit value is a different id.
    form.raiseHotKey(0xFFFF);
    EXPECT_EQ(2u, presses.size());
}

TEST_F(Registry, PressesAreRaisedFromTheArmingTickUntilAStop) {
    cHK->StartHotKeys(Timer1);  // empty table: the timer is not touched
    EXPECT_FALSE(Timer1.running());
    EXPECT_EQ(0, Timer1.interval());

    cHK->AddHotKey('A', false, true, false);
    Timer1.tag = "1";
    cHK->StartHotKeys(Timer1);
    EXPECT_TRUE(Timer1.running());
    EXPECT_EQ(10, Timer1.interval());
    EXPECT_EQ("", Timer1.tag);
    sim.hotKeys.press('A', kAlt);
    forms.advance(9);
    sim.hotKeys.press('A', kAlt);
    EXPECT_TRUE(presses.empty()) << "raised before the timer armed it";
    forms.advance(1);
    EXPECT_FALSE(Timer1.running()) << "no timer may keep running while waiting for keys";
    EXPECT_EQ("1", Timer1.tag);
    EXPECT_EQ(2u, presses.size()) << "presses made while starting are not lost";
    sim.hotKeys.press('A', kAlt);
    EXPECT_EQ(3u, presses.size());

    const int pumps = sim.shell.pumps;
    cHK->StopHotKeys();
    EXPECT_EQ(pumps + 1, sim.shell.pumps);
    EXPECT_TRUE(sim.hotKeys.press('A', kAlt)) << "stopping keeps the registration";
    arm();
    EXPECT_EQ(3u, presses.size()) << "a press while stopped is dropped, not kept for later";

    cHK->StopHotKeys();
    cHK->StartHotKeys(Timer1);
    sim.hotKeys.press('A', kAlt);
    cHK->StopHotKeys();
    forms.advance(10);
    EXPECT_EQ(3u, presses.size()) << "a stop before the tick drops what was waiting";

    arm();
    sim.hotKeys.press('A', kAlt);
    EXPECT_EQ(4u, presses.size());
    cHK->ClsAllHotKey();
    EXPECT_EQ(0, cHK->HotKeysCount());
    EXPECT_TRUE(sim.hotKeys.registrations().empty());
    EXPECT_TRUE(sim.hotKeys.atoms().empty());
}

TEST_F(Registry, EndingTheObjectReleasesEveryIdAndLeavesItsTimerHarmless) {
    for (int key : {'A', 'B', 'C'})
        cHK->AddHotKey(key, false, true, false);
    cHK->StartHotKeys(Timer1);
    cHK.reset();
    EXPECT_TRUE(sim.hotKeys.registrations().empty());
    EXPECT_TRUE(sim.hotKeys.atoms().empty());
    forms.advance(20);  // the timer still ticks once into the ended object's handler
    EXPECT_FALSE(Timer1.running());
}

TEST_F(Registry, HandlerThatRebuildsTheTableFromAPressKeepsWorking) {
    cHK->AddHotKey('A', false, true, false);
    arm();
    int rebuilt = 0;
    cHK->HotKeyPress = [&](int index, int, bool, bool, bool) {
        ++rebuilt;
        EXPECT_EQ(1, index);
        cHK->ClsAllHotKey();
        cHK->AddHotKey('A', false, true, false);
        cHK->StartHotKeys(Timer1);
    };
    sim.hotKeys.press('A', kAlt);
    forms.advance(10);
    sim.hotKeys.press('A', kAlt);
    EXPECT_EQ(2, rebuilt);
    EXPECT_EQ(1u, sim.hotKeys.registrations().size());
}

}  // namespace
}  // namespace hotkey_test
