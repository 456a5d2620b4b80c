// The hiding rules on the real Veilor.exe: Alt+A pressed for real while the settings file
// holds keep rules (Wine's notepad by its program file name, a peer window by its title)
// or only rules (a peer window by its title, the fake shell's icons by their program),
// and Alt+R bringing back everything that went.
#include <windows.h>

#include <string>

#include "hide_all/boss_keys.h"
#include "hide_all/desktop_scene.h"
#include "support/driver.h"
#include "windows/window_peer_protocol.h"

namespace {

using namespace wine_test;
using scene::DesktopScene;
using scene::PeerWindow;

constexpr wchar_t kFocusClass[] = L"VeilorRulesDriver";

std::wstring titleOf(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

class RulesWineTest : public ::testing::Test {
  protected:
    void TearDown() override {
        notepad_.terminate();
        DestroyWindow(focus_);
    }

    // Wine's own notepad first, then the peers, the fake shell and Veilor on these rules.
    void start(const std::string& rules) {
        ASSERT_NE(focus_, nullptr);
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        notepad_ = Process::start(std::wstring(system) + L"\\notepad.exe");
        ASSERT_TRUE(notepad_.valid());
        HWND window = waitForWindow(WindowQuery{L"Notepad", L"", notepad_.pid(), true});
        ASSERT_NE(window, nullptr);
        notepadWindow_ = {window, titleOf(window)};
        ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig() + rules));
        ASSERT_NO_FATAL_FAILURE(keys_.waitUntilHotKeysAnswer());
    }

    // The listed peers but those with this title, and those with it.
    std::vector<PeerWindow> peers(bool withTitle, const wchar_t* title) {
        std::vector<PeerWindow> out;
        for (const PeerWindow& p : desk_.listedPeers()) {
            if ((p.title == title) == withTitle) out.push_back(p);
        }
        return out;
    }

    // Still shown under its own title a while after the hide.
    ::testing::AssertionResult leftAlone(const PeerWindow& window, const std::string& what) {
        ::testing::AssertionResult shown = desk_.staysShown(window.window, 1000, what);
        if (!shown) return shown;
        if (titleOf(window.window) == window.title) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << what << " was retitled: " << describeWindow(window.window);
    }

    DesktopScene desk_;
    HWND focus_ = openKeyboardWindow(kFocusClass);
    scene::BossKeys keys_{desk_, focus_};
    Process notepad_;
    PeerWindow notepadWindow_;
};

TEST_F(RulesWineTest, KeepRules_AltALeavesNotepadAndOnePeerUnmarked_AltRBringsTheRestBack) {
    ASSERT_NO_FATAL_FAILURE(start("[Rules]\r\nKeep1=NOTEPAD.EXE\r\nKeep2=latin peer window\r\n"));
    const std::vector<PeerWindow> kept = peers(true, window_peer::kLatinTitle);
    const std::vector<PeerWindow> others = peers(false, window_peer::kLatinTitle);
    ASSERT_EQ(kept.size(), 1u);

    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('A'));
    ASSERT_NE(desk_.waitForWidget(scene::kOneKeyWidget), nullptr);
    EXPECT_TRUE(desk_.peersHidden(others));
    EXPECT_TRUE(desk_.hiddenIcons(DesktopScene::kIcons));
    EXPECT_TRUE(leftAlone(kept[0], "the peer a keep rule names by title"));
    EXPECT_TRUE(leftAlone(notepadWindow_, "notepad, kept by its program"));

    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('R'));
    EXPECT_TRUE(desk_.peersShown());
    EXPECT_TRUE(desk_.hiddenIcons(0));
    EXPECT_TRUE(leftAlone(notepadWindow_, "notepad"));
}

TEST_F(RulesWineTest, OnlyRules_AltAHidesJustTheirMatches_IconsByTheirProgram) {
    ASSERT_NO_FATAL_FAILURE(start("[Rules]\r\nOnly1=*peer WINDOW\r\nOnly2=fake_shell.exe\r\n"));
    const std::vector<PeerWindow> taken = peers(true, window_peer::kLatinTitle);
    const std::vector<PeerWindow> others = peers(false, window_peer::kLatinTitle);

    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('A'));
    ASSERT_NE(desk_.waitForWidget(scene::kOneKeyWidget), nullptr);
    EXPECT_TRUE(desk_.peersHidden(taken));
    // The icons' texts match nothing: the shell's record of their program took them.
    EXPECT_TRUE(desk_.hiddenIcons(DesktopScene::kIcons));
    for (const PeerWindow& p : others)
        EXPECT_TRUE(leftAlone(p, "a peer no only rule names"));
    EXPECT_TRUE(leftAlone(notepadWindow_, "notepad, which no only rule names"));

    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('R'));
    EXPECT_TRUE(desk_.peersShown());
    EXPECT_TRUE(desk_.hiddenIcons(0));
}

}  // namespace
