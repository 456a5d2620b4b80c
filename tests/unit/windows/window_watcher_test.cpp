// The watcher: list tooltip, rebuilding the list when a listed window goes (or one
// comes), and the buttons that need a usable title; looking only when the desktop has
// changed, and only while the page can be seen.
#include <cstdint>
#include <functional>
#include <vector>

#include "window_page_fixture.h"

namespace windows::testing {
namespace {

class WindowWatcherTest : public WindowPageTest {
  protected:
    bool buttonsEnabled(bool expected) {
        bool all = true;
        for (ui::Button* b : {&page.cmdHide1, &page.cmdShow1, &page.cmdRename}) {
            EXPECT_EQ(b->enabled(), expected) << b->name();
            all = all && b->enabled() == expected;
        }
        return all;
    }
};

TEST_F(WindowWatcherTest, ButtonsFollowTheChosenRowAtOnce_NoTimerRunsWhileNothingChanges) {
    page.startWatcher();
    EXPECT_TRUE(buttonsEnabled(false));
    open("Notepad");
    page.Refresh1();
    clickRow("Notepad");
    EXPECT_TRUE(buttonsEnabled(true));

    forms.advance(10000);
    EXPECT_FALSE(page.tmrEnabled1.running());
}

TEST_F(WindowWatcherTest, VisibleOnly_AVanishedWindowsRowGoesOnItsEvent) {
    WindowHandle editor = open("Editor");
    open("Browser");
    page.startWatcher();
    page.chkVisible.raiseClick();
    clickRow("Browser");

    sim.desktop.close(editor);
    forms.advance(WindowPage::kCoalesceMs);

    EXPECT_EQ(rows(), Rows({"Browser"}));
    EXPECT_EQ(page.txtWindowTitle.text(), "");
    EXPECT_TRUE(buttonsEnabled(false)) << "the refresh emptied the title box";
    EXPECT_FALSE(page.tmrEnabled1.running()) << "one look per burst, then quiet";
}

TEST_F(WindowWatcherTest, VisibleOnly_AWindowThatOpensJoinsTheListKeepingTheChoice) {
    open("Browser");
    WindowHandle late = open(PeerWindow{.title = "Late", .visible = false});
    page.startWatcher();
    page.chkVisible.raiseClick();
    clickRow("Browser");

    open("Editor");
    sim.desktop.showWindow(late, platform::ShowCommand::Normal);
    forms.advance(WindowPage::kCoalesceMs);

    EXPECT_EQ(rows(), Rows({"Editor", "Late", "Browser"}));
    EXPECT_EQ(page.List1.list(page.List1.listIndex()), "Browser");
    EXPECT_EQ(page.txtWindowTitle.text(), "Browser");
    EXPECT_TRUE(buttonsEnabled(true));
}

TEST_F(WindowWatcherTest, OutOfSight_NoLookAtAll_ThenOneAtOnceWhenSeenAgain) {
    WindowHandle editor = open("Editor");
    open("Browser");
    page.startWatcher();
    page.chkVisible.raiseClick();
    const std::function<void(bool)> waysOutOfSight[] = {
        [&](bool out) { frame.setVisible(!out); },
        [&](bool out) {
            form.setWindowState(out ? ui::WindowState::Minimized : ui::WindowState::Normal);
        },
        [&](bool out) { out ? form.hide() : form.show(); },
    };
    int round = 0;
    for (const auto& outOfSight : waysOutOfSight) {
        SCOPED_TRACE(round++);
        const Rows listed = rows();
        outOfSight(true);
        EXPECT_EQ(sim.desktop.listeners(), 0) << "no hook while nobody can see the list";
        const int before = sim.desktop.enumerations;
        sim.desktop.close(editor);
        forms.advance(5000);
        EXPECT_EQ(sim.desktop.enumerations, before);
        EXPECT_EQ(rows(), listed);

        outOfSight(false);
        EXPECT_EQ(rows(), Rows({"Browser"})) << "brought up to date at once";
        EXPECT_EQ(sim.desktop.listeners(), 1);
        editor = open("Editor");
        forms.advance(WindowPage::kCoalesceMs);
        ASSERT_EQ(rows(), Rows({"Editor", "Browser"}));
    }
}

TEST_F(WindowWatcherTest, VisibleOnly_ABurstOf100ChangesGivesOneLook) {
    std::vector<WindowHandle> peers;
    for (int i = 0; i < 100; ++i)
        peers.push_back(open("Peer " + std::to_string(i)));
    page.startWatcher();
    page.chkVisible.raiseClick();
    const int before = sim.desktop.enumerations;

    for (WindowHandle peer : peers)
        sim.desktop.close(peer);
    forms.advance(WindowPage::kCoalesceMs - 1);
    EXPECT_EQ(sim.desktop.enumerations, before) << "still gathering the burst";
    forms.advance(1);
    EXPECT_EQ(sim.desktop.enumerations, before + 1);
    EXPECT_TRUE(rows().empty()) << ::testing::PrintToString(rows());
    forms.advance(5000);
    EXPECT_EQ(sim.desktop.enumerations, before + 1);
}

// A system that tells only of windows being created, as Wine's: the watcher compares the
// window set itself, less often while nothing changes.
class UntoldWatcherTest : public WindowWatcherTest {
  protected:
    void SetUp() override {
        WindowWatcherTest::SetUp();
        sim.desktop.toldOnlyOfCreation = true;
    }
    // The time from each comparison of the window set to the next, for the next n.
    std::vector<std::uint32_t> lookGaps(int n) {
        std::vector<std::uint32_t> gaps;
        std::uint32_t last = forms.now();
        for (int looks = sim.desktop.windowSetLooks; static_cast<int>(gaps.size()) < n;) {
            forms.advance(1);
            if (sim.desktop.windowSetLooks == looks) continue;
            looks = sim.desktop.windowSetLooks;
            gaps.push_back(forms.now() - last);
            last = forms.now();
        }
        return gaps;
    }
    // How long until the list shows exactly these rows; -1 after 5 s.
    int msUntilRows(const Rows& expected) {
        for (int ms = 0; ms <= 5000; ++ms, forms.advance(1)) {
            if (rows() == expected) return ms;
        }
        return -1;
    }
    using Gaps = std::vector<std::uint32_t>;
};

TEST_F(UntoldWatcherTest, LooksLessOftenWhileNothingChanges_AndSoonAgainAfterAChange) {
    open("Editor");
    page.startWatcher();
    page.chkVisible.raiseClick();
    const int enumerations = sim.desktop.enumerations;
    EXPECT_EQ(lookGaps(6), Gaps({100, 200, 400, 800, 1000, 1000}));
    EXPECT_EQ(sim.desktop.enumerations, enumerations) << "an unchanged set is all it looks at";

    open("Mail");  // told: listed, and the set compared soon again
    EXPECT_EQ(lookGaps(3), Gaps({WindowPage::kCoalesceMs, 100, 200}));
    EXPECT_EQ(rows(), Rows({"Mail", "Editor"}));

    page.chkVisible.raiseClick();
    forms.advance(5000);
    EXPECT_FALSE(page.tmrWindowSet.running()) << "nothing to follow without the box checked";
}

TEST_F(UntoldWatcherTest, AClosedWindowLeavesTheListWithinASecondEvenAtTheLongestInterval) {
    const WindowHandle editor = open("Editor");
    const WindowHandle mail = open("Mail");
    page.startWatcher();
    page.chkVisible.raiseClick();
    lookGaps(5);  // the last look has just been, and the next is a whole second away
    ASSERT_EQ(page.tmrWindowSet.interval(), WindowPage::kWindowSetLongestMs);

    sim.desktop.close(editor);
    const int ms = msUntilRows({"Mail"});
    EXPECT_GE(ms, 0);
    EXPECT_LE(ms, WindowPage::kWindowSetLongestMs);
    EXPECT_EQ(lookGaps(1), Gaps({100})) << "back to looking soon after a change";

    lookGaps(4);
    sim.desktop.close(mail);
    forms.advance(WindowPage::kWindowSetLongestMs);
    EXPECT_TRUE(rows().empty()) << ::testing::PrintToString(rows());

    const WindowHandle brief = open("Brief");  // told as it opens, untold as it closes
    forms.advance(WindowPage::kCoalesceMs);
    ASSERT_EQ(rows(), Rows({"Brief"}));
    sim.desktop.close(brief);
    forms.advance(WindowPage::kWindowSetFirstMs);
    EXPECT_TRUE(rows().empty()) << "the set compared against the one listed";
}

TEST_F(WindowWatcherTest, AllWindows_LeavesTheListAloneWhenAListedWindowCloses) {
    WindowHandle editor = open("Editor");
    open("Browser");
    page.startWatcher();
    page.Refresh1();
    clickRow("Browser");

    sim.desktop.close(editor);
    open("Mail");
    forms.advance(WindowPage::kCoalesceMs);

    EXPECT_EQ(rows(), Rows({"Browser", "Editor"}));
    EXPECT_EQ(page.txtWindowTitle.text(), "Browser");
}

TEST_F(WindowWatcherTest, ChatWindowsAndFrozenRowsAreNotTakenForVanishedWindows) {
    WindowHandle chat = open("张三 交谈中");
    WindowHandle typing = open("李四正在输入");
    open(PeerWindow{.title = "Busy dialog", .enabled = false});
    page.startWatcher();
    page.chkVisible.raiseClick();
    clickRow("[Frozen] Busy dialog");

    sim.desktop.setWindowText(chat, "张三");
    sim.desktop.setWindowText(typing, "李四");
    forms.advance(WindowPage::kCoalesceMs);

    EXPECT_EQ(rows(), Rows({"[Frozen] Busy dialog", "李四正在输入", "张三 交谈中"}));
    EXPECT_EQ(page.txtWindowTitle.text(), "Busy dialog");
}

TEST_F(WindowWatcherTest, TooltipShowsTheSelectedRow) {
    open("Notepad");
    page.startWatcher();
    page.Refresh1();
    clickRow("Notepad");
    EXPECT_EQ(page.List1.toolTip(), "Notepad");

    page.Refresh1();
    EXPECT_EQ(page.List1.toolTip(), "");
}

TEST_F(WindowWatcherTest, ButtonsNeedATitleOtherThanTheProgramsOwn) {
    page.startWatcher();
    const std::pair<const char*, bool> cases[] = {
        {"", false},       {"Veilor", false},        {" Veilor", false},
        {"Veilor ", true}, {"No such window", true}, {"[隐藏] Notepad", true},
    };
    for (const auto& [text, enabled] : cases) {
        page.txtWindowTitle.setText(text);
        page.tmrEnabled1_Timer();
        EXPECT_TRUE(buttonsEnabled(enabled)) << "title box \"" << text << "\"";
    }
}

}  // namespace
}  // namespace windows::testing
