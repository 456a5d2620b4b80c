// The hotkey registry on the real system: a form's window receives a combination pressed
// on the keyboard anywhere, by the entry's index, and a combination another process
// holds is refused without a trace in the table.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "hotkeys/c_hot_key.h"
#include "hotkeys/hotkey_page.h"
#include "hotkeys/hotkey_text.h"
#include "platform/win32/win32_hotkeys.h"
#include "platform/win32/win32_shell.h"
#include "support/driver.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/win32/win32_forms.h"

namespace {

using wine_test::pollUntil;
using wine_test::pressKeys;

struct Press {
    int index, keyCode;
    bool ctrl, alt, shift;
};

// The real calls, with the ids they were given kept for the checks.
class RecordingHotKeys : public platform::win32::Win32HotKeys {
  public:
    bool registerHotKey(platform::WindowHandle window, int id, unsigned modifiers,
                        int keyCode) override {
        ids.push_back(id);
        return Win32HotKeys::registerHotKey(window, id, modifiers, keyCode);
    }
    std::vector<int> ids;
};

class HotKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.setText("热键测试");
        form.setBounds(0, 0, 4000, 2000);
        form.onHotKey = [this](int id) { cHK.hotKeyMessage(id); };
        form.show();
        ASSERT_NE(platform::kNoWindow, form.handle());
        cHK.setFrmHwnd(form.handle());
        cHK.HotKeyPress = [this](int index, int keyCode, bool ctrl, bool alt, bool shift) {
            presses.push_back({index, keyCode, ctrl, alt, shift});
        };
    }
    ::testing::AssertionResult arm() {
        cHK.StartHotKeys(Timer1);
        return pollUntil([&] { return cHK.armed(); }, 5000, "the hotkeys to be armed");
    }

    // Declared first: the views outlive the form they host.
    ui::win32::Win32Forms views;
    ui::Form form{views, 1, "frmHotKeys"};
    ui::Timer Timer1{&form, 10, "Timer1"};
    RecordingHotKeys hotKeys;
    platform::win32::Win32Shell shell;
    hotkeys::cHotKey cHK{hotKeys, shell};
    std::vector<Press> presses;
};

// String atoms are 0xC000 and above, so every id here is negative as the form receives it.
TEST_F(HotKeysTest, PressedCombinationReachesTheFormAsItsEntry) {
    ASSERT_EQ(1, cHK.AddHotKey(VK_F8, true, true, false));
    ASSERT_EQ(2, cHK.AddHotKey(VK_F9, true, true, true));
    ASSERT_TRUE(arm());
    EXPECT_FALSE(Timer1.running()) << "the timer stays off while waiting for keys";
    ASSERT_EQ(2u, hotKeys.ids.size());
    EXPECT_LT(hotKeys.ids[1], 0) << "a string atom is 0xC000 or above";

    ASSERT_EQ(8u, pressKeys({VK_CONTROL, VK_MENU, VK_SHIFT, VK_F9}));
    ASSERT_TRUE(
        pollUntil([&] { return !presses.empty(); }, 5000, "HotKeyPress for Ctrl+Alt+Shift+F9"));
    EXPECT_EQ(2, presses[0].index);
    EXPECT_EQ(VK_F9, presses[0].keyCode);
    EXPECT_TRUE(presses[0].ctrl && presses[0].alt && presses[0].shift);

    // After removing the first entry the same key is entry 1.
    ASSERT_TRUE(cHK.DelHotKey(VK_F8, true, true, false));
    pressKeys({VK_CONTROL, VK_MENU, VK_SHIFT, VK_F9});
    ASSERT_TRUE(pollUntil([&] { return presses.size() == 2; }, 5000, "the second press"));
    EXPECT_EQ(1, presses[1].index);

    cHK.StopHotKeys();
    pressKeys({VK_CONTROL, VK_MENU, VK_SHIFT, VK_F9});
    pollUntil([] { return false; }, 300);
    EXPECT_EQ(2u, presses.size()) << "a stopped registry raised a press";
}

TEST_F(HotKeysTest, CombinationHeldByAnotherProcessIsRefusedAndLeavesNoTrace) {
    ASSERT_EQ(1, cHK.AddHotKey(VK_F7, true, true, false));
    wine_test::Process peer = wine_test::Process::start(wine_test::programPath(L"hotkey_peer"),
                                                        L"7 120");  // Ctrl+Alt+Shift+F9
    ASSERT_TRUE(peer.valid());
    HWND peerWindow = wine_test::waitForWindow({L"VeilorHotKeyPeer", L"", peer.pid(), true});
    ASSERT_TRUE(peerWindow);
    ASSERT_EQ("hotkey peer: held", wine_test::windowText(peerWindow));

    EXPECT_EQ(-1, cHK.AddHotKey(VK_F9, true, true, true));
    EXPECT_EQ(1, cHK.HotKeysCount());
    int keyCode = 0;
    bool ctrl = false, alt = false, shift = false;
    EXPECT_EQ(-1, cHK.GetHotKeySetting(2, keyCode, ctrl, alt, shift));

    PostMessageW(peerWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(peer.waitExit());
    EXPECT_EQ(0u, *peer.exitCode());
    EXPECT_EQ(2, cHK.AddHotKey(VK_F9, true, true, true)) << "free again once the peer ended";
    cHK.ClsAllHotKey();
    EXPECT_EQ(0, cHK.HotKeysCount());
}

TEST_F(HotKeysTest, EndedRegistryLeavesTheCombinationFreeForOthers) {
    {
        hotkeys::cHotKey other(hotKeys, shell);
        other.setFrmHwnd(form.handle());
        ASSERT_EQ(1, other.AddHotKey(VK_F6, true, true, false));
        ASSERT_EQ(-1, cHK.AddHotKey(VK_F6, true, true, false));
    }
    wine_test::Process peer = wine_test::Process::start(wine_test::programPath(L"hotkey_peer"),
                                                        L"3 117");  // Ctrl+Alt+F6
    HWND peerWindow = wine_test::waitForWindow({L"VeilorHotKeyPeer", L"", peer.pid(), true});
    ASSERT_TRUE(peerWindow);
    EXPECT_EQ("hotkey peer: held", wine_test::windowText(peerWindow));
    PostMessageW(peerWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(peer.waitExit());
}

}  // namespace

namespace {

// The settings page's hotkey boxes on real edit controls, typed into with the keyboard.
class HotKeyBoxesTest : public HotKeysTest {
  protected:
    void SetUp() override {
        hotkeys::HotKeyPage::Boxes boxes{};
        hotkeys::HotKeyPage::Marks marks{};
        hotkeys::HotKeyPage::Actions actions{};
        for (int i = 0; i < hotkeys::HotKeyPage::kCount; ++i) {
            box[i] = std::make_unique<ui::TextBox>(&form, 100 + i, "txtHotKey");
            box[i]->setBounds(120, 120 + 360 * i, 2400, 300);
            mark[i] = std::make_unique<ui::Label>(&form, 200 + i, "labHotKey");
            mark[i]->setBounds(2640, 120 + 360 * i, 300, 300);
            hotkeys::SetHotKeyBox(*box[i], VK_F2 + i, -1, -1, 0);
            boxes[i] = box[i].get();
            marks[i] = mark[i].get();
            actions[i] = [this, i] { ran.push_back(i); };
        }
        form.setBounds(0, 0, 3400, 2800);
        HotKeysTest::SetUp();
        page = std::make_unique<hotkeys::HotKeyPage>(cHK, boxes, marks, Timer1, actions);
        SetForegroundWindow(reinterpret_cast<HWND>(form.handle()));
    }
    std::string shown(int i) { return wine_test::windowText(views.windowOf(*box[i])); }

    std::unique_ptr<ui::TextBox> box[7];
    std::unique_ptr<ui::Label> mark[7];
    std::unique_ptr<hotkeys::HotKeyPage> page;
    std::vector<int> ran;
};

TEST_F(HotKeyBoxesTest, BoxTakesTheKeysItIsGivenAndTheHotKeyRunsItsAction) {
    page->SetHotKeys();
    ASSERT_TRUE(pollUntil([&] { return cHK.armed(); }, 5000, "the hotkeys to be armed"));
    ASSERT_EQ(7, cHK.HotKeysCount());

    box[2]->setFocus();
    ASSERT_TRUE(pollUntil([&] { return cHK.HotKeysCount() == 0; }, 5000, "focus to clear them"));
    pressKeys({VK_MENU, 'K'});
    ASSERT_TRUE(wine_test::pollEquals(
        std::string("Alt + K"), [&] { return shown(2); }, 5000));
    EXPECT_EQ("75,0,-1,0", box[2]->tag);
    pressKeys({VK_CONTROL, VK_BACK});
    ASSERT_TRUE(wine_test::pollEquals(
        std::string("(空)"), [&] { return shown(2); }, 5000));
    pressKeys({VK_CONTROL, VK_SHIFT, VK_F5});
    ASSERT_TRUE(wine_test::pollEquals(
        std::string("Ctrl + Shift + F5"), [&] { return shown(2); }, 5000));
    EXPECT_EQ("116,-1,0,-1", box[2]->tag);
    EXPECT_TRUE(ran.empty());

    page->SetHotKeys();
    ASSERT_TRUE(pollUntil([&] { return cHK.armed(); }, 5000, "the hotkeys to be armed again"));
    pressKeys({VK_CONTROL, VK_SHIFT, VK_F5});
    ASSERT_TRUE(pollUntil([&] { return !ran.empty(); }, 5000, "the action of box 2"));
    EXPECT_EQ(std::vector<int>{2}, ran);
    EXPECT_EQ("●", wine_test::windowText(views.windowOf(*mark[2])));
}

}  // namespace
