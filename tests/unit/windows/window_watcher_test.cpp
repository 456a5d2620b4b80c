// The watcher: list tooltip, rebuilding the list when a listed window goes, and the
// buttons that need a usable title.
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

TEST_F(WindowWatcherTest, StartsStoppedThenRunsOnceAndKeepsTicking) {
    EXPECT_FALSE(page.tmrEnabled1.running());
    page.startWatcher();
    EXPECT_TRUE(buttonsEnabled(false));
    EXPECT_EQ(page.tmrEnabled1.interval(), 1);

    open("Notepad");
    page.Refresh1();
    clickRow("Notepad");
    forms.advance(1);
    EXPECT_TRUE(buttonsEnabled(true));
}

TEST_F(WindowWatcherTest, VisibleOnly_RebuildsTheListWithinATickWhenAListedWindowCloses) {
    WindowHandle editor = open("Editor");
    open("Browser");
    page.startWatcher();
    page.chkVisible.raiseClick();
    clickRow("Browser");

    sim.desktop.close(editor);
    forms.advance(1);

    EXPECT_EQ(rows(), Rows({"Browser"}));
    EXPECT_EQ(page.txtWindowTitle.text(), "");
    EXPECT_TRUE(buttonsEnabled(false)) << "the refresh emptied the title box";
}

TEST_F(WindowWatcherTest, AllWindows_LeavesTheListAloneWhenAListedWindowCloses) {
    WindowHandle editor = open("Editor");
    open("Browser");
    page.startWatcher();
    page.Refresh1();
    clickRow("Browser");

    sim.desktop.close(editor);
    forms.advance(50);

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

    window(chat).title = "张三";
    window(typing).title = "李四";
    forms.advance(20);

    EXPECT_EQ(rows(), Rows({"[Frozen] Busy dialog", "李四正在输入", "张三 交谈中"}));
    EXPECT_EQ(page.txtWindowTitle.text(), "Busy dialog");
}

TEST_F(WindowWatcherTest, TooltipShowsTheSelectedRow) {
    open("Notepad");
    page.startWatcher();
    page.Refresh1();
    clickRow("Notepad");
    forms.advance(1);
    EXPECT_EQ(page.List1.toolTip(), "Notepad");

    page.Refresh1();
    forms.advance(1);
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
        forms.advance(1);
        EXPECT_TRUE(buttonsEnabled(enabled)) << "title box \"" << text << "\"";
    }
}

}  // namespace
}  // namespace windows::testing
