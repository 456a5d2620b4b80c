// The user's real input reaches the model once: mouse clicks, typing, list and tab
// selection, and pop-up menus driven by the keyboard.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <vector>

#include "platform/win32/wide.h"
#include "ui_test_support.h"

using platform::win32::narrow;
using wine_test::pollUntil;

namespace ui_test {
namespace {

POINT centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class InputTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(t.showInFront()); }
    TestForm t;
};

TEST_F(InputTest, MouseClickOnAButtonRunsItsHandlerOnce) {
    int clicks = 0, pictureClicks = 0;
    t.button.onClick = [&] { ++clicks; };
    t.picture.onClick = [&] { ++pictureClicks; };
    ASSERT_TRUE(clickCentreUntil(
        t.child(kButton), [&] { return clicks > 0; }, "click"));
    ASSERT_TRUE(clickCentreUntil(
        t.child(kPicture), [&] { return pictureClicks > 0; }, "click"));
    pollUntil([] { return false; }, 100);
    EXPECT_EQ(1, pictureClicks);
    EXPECT_TRUE(wine_test::clickButton(t.child(kPicture)));
    EXPECT_EQ(2, pictureClicks);
    EXPECT_EQ(1, clicks);

    t.button.setEnabled(false);
    ASSERT_TRUE(clickCentre(t.child(kButton)));
    pollUntil([] { return false; }, 200);
    EXPECT_EQ(1, clicks) << "a disabled button took a click";
}

TEST_F(InputTest, CheckBoxClickTogglesTheValueOnceAndRunsItsHandlerOnce) {
    int clicks = 0;
    t.check.onClick = [&] { ++clicks; };
    HWND check = t.child(kCheck);
    ASSERT_TRUE(clickCentreUntil(
        check, [&] { return clicks > 0; }, "click handler"));
    pollUntil([] { return false; }, 100);
    EXPECT_EQ(1, clicks);
    EXPECT_EQ(1, t.check.value());
    EXPECT_EQ(BST_CHECKED, SendMessageW(check, BM_GETCHECK, 0, 0));

    EXPECT_TRUE(wine_test::clickButton(check));
    EXPECT_EQ(2, clicks);
    EXPECT_EQ(0, t.check.value());
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(check, BM_GETCHECK, 0, 0));

    t.check.setValue(1);  // the program sets it: the box shows it, the handler runs
    EXPECT_EQ(BST_CHECKED, SendMessageW(check, BM_GETCHECK, 0, 0));
    EXPECT_EQ(3, clicks);
}

TEST_F(InputTest, TypingUpdatesTheModelAndKeyHandlersSeeShiftAndCanSwallowKeys) {
    int changes = 0;
    std::vector<std::pair<int, int>> downs;
    t.text.onChange = [&] { ++changes; };
    t.text.onKeyDown = [&](int& key, int shift) {
        downs.push_back({key, shift});
        if (key == VK_DELETE && t.text.tag == "swallow") key = 0;
    };
    t.text.onKeyPress = [&](int& ascii) {
        if (ascii == 'x') ascii = 0;
    };
    t.text.setFocus();
    ASSERT_EQ(GetFocus(), t.child(kText));
    pressKey('A', true);
    pressKey('X');
    pressKey('B');
    EXPECT_TRUE(pollUntil([&] { return t.text.text() == "Ab"; }, 5000,
                          "the typed text in the model", [&] { return t.text.text(); }));
    EXPECT_EQ(2, changes) << "one change per character that got through";
    ASSERT_FALSE(downs.empty());
    EXPECT_EQ('A', downs[1].first) << "first the Shift key, then A";
    EXPECT_EQ(ui::kShiftMask, downs[1].second);
    EXPECT_EQ(0, downs.back().second);

    PostMessageW(t.child(kText), WM_CHAR, L'键', 0);
    EXPECT_TRUE(pollUntil([&] { return t.text.text() == "Ab键"; }, 5000, "Chinese typed",
                          [&] { return t.text.text(); }));

    t.text.tag = "swallow";
    pressKey(VK_HOME);
    pressKey(VK_DELETE);
    pollUntil([&] { return !downs.empty() && downs.back().first == VK_DELETE; }, 5000);
    pollUntil([] { return false; }, 100);
    EXPECT_EQ("Ab键", t.text.text()) << "a swallowed Delete deleted";
    t.text.tag.clear();
    pressKey(VK_DELETE);
    EXPECT_TRUE(pollUntil([&] { return t.text.text() == "b键"; }, 5000, "Delete to work again",
                          [&] { return t.text.text(); }));
}

TEST_F(InputTest, ChangeHandlerRewritingTheTextDoesNotLoop) {
    // The hotkey boxes rewrite what is typed; the view must not report that back.
    int changes = 0;
    t.text.onChange = [&] {
        ++changes;
        t.text.setText("Alt + A");
    };
    t.text.setFocus();
    pressKey('Q');
    EXPECT_TRUE(pollUntil([&] { return changes >= 1; }, 5000, "the change handler"));
    pollUntil([] { return false; }, 100);
    EXPECT_EQ(1, changes);
    EXPECT_EQ("Alt + A", t.text.text());
    EXPECT_EQ("Alt + A", wine_test::windowText(t.child(kText)));
}

TEST_F(InputTest, FocusEventsRunOnceWhetherTheProgramOrTheUserMovesTheFocus) {
    std::vector<std::string> events;
    t.text.onGotFocus = [&] { events.push_back("text+"); };
    t.text.onLostFocus = [&] { events.push_back("text-"); };
    t.button.onGotFocus = [&] { events.push_back("button+"); };
    t.button.onLostFocus = [&] { events.push_back("button-"); };
    t.text.setFocus();
    EXPECT_EQ(GetFocus(), t.child(kText));
    t.button.setFocus();
    EXPECT_EQ(GetFocus(), t.child(kButton));
    EXPECT_EQ((std::vector<std::string>{"text+", "text-", "button+"}), events);
    ASSERT_TRUE(clickCentreUntil(
        t.child(kText), [&] { return events.size() >= 5; }, "focus move"));
    EXPECT_EQ(t.form.focused(), &t.text);
    EXPECT_EQ((std::vector<std::string>{"text+", "text-", "button+", "button-", "text+"}), events);
}

TEST_F(InputTest, ClickingAListRowSelectsItInTheModel) {
    t.list.addItem("记事本");
    t.list.addItem("计算器");
    int clicks = 0;
    t.list.onClick = [&] { ++clicks; };
    HWND list = t.child(kList);
    RECT row{};
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    ASSERT_TRUE(clickUntil(
        list, centre(row), [&] { return t.list.listIndex() == 1; }, "selection"));
    EXPECT_EQ(1, clicks);
}

TEST_F(InputTest, ClickingAListViewRowMovesTheSelectionWithOneEvent) {
    t.listView.addItem({"a.exe", {"C:\\a.exe"}});
    t.listView.addItem({"b.exe", {"C:\\b.exe"}});
    t.listView.setSelectedIndex(1);
    std::vector<int> seen;
    t.listView.onClick = [&] { seen.push_back(t.listView.selectedIndex()); };
    HWND lv = t.child(kListView);
    RECT row{};
    row.left = LVIR_LABEL;
    SendMessageW(lv, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    ASSERT_TRUE(clickUntil(
        lv, centre(row), [&] { return t.listView.selectedIndex() == 0; }, "selection"));
    pollUntil([] { return false; }, 100);
    EXPECT_EQ(std::vector<int>{0}, seen) << "no passing through 'nothing selected'";
}

TEST_F(InputTest, ClickingATabSelectsItInTheModel) {
    int clicks = 0;
    t.tabs.onClick = [&] { ++clicks; };
    HWND tabs = t.child(kTabs);
    RECT tab{};
    SendMessageW(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    ASSERT_TRUE(clickUntil(
        tabs, centre(tab), [&] { return t.tabs.selectedKey() == "b"; }, "tab selected"));
    EXPECT_EQ(1, clicks);
}

TEST_F(InputTest, MouseDownOnTheFormAndOnAFrameReachesTheRightControl) {
    std::vector<std::string> pressed;
    t.form.onMouseDown = [&](ui::MouseButton, int, int, int) { pressed.push_back("form"); };
    t.frame.onMouseDown = [&](ui::MouseButton, int, int x, int y) {
        pressed.push_back("frame");
        EXPECT_NEAR(x, 3000, 30);
        EXPECT_NEAR(y, 150, 30);
    };
    t.inner.onMouseDown = [&](ui::MouseButton, int, int, int) { pressed.push_back("label"); };
    auto px = [](int twips) { return ui::win32::twipsToPixels(twips); };
    ASSERT_TRUE(clickUntil(
        t.hwnd(), {px(7300), px(5550)}, [&] { return pressed.size() == 1; }, "form press"));
    ASSERT_TRUE(clickUntil(
        t.hwnd(), {px(240 + 3000), px(480 + 150)}, [&] { return pressed.size() == 2; },
        "frame press"));
    ASSERT_TRUE(clickUntil(
        t.child(kInnerLabel), {3, 3}, [&] { return pressed.size() == 3; }, "label press"));
    EXPECT_EQ((std::vector<std::string>{"form", "frame", "label"}), pressed);
}

// Presses keys once the pop-up menu is open; the menu's loop runs on the main thread.
void driveMenu(std::vector<WORD> keys) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < wine_test::kDeadlineMs) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
            for (WORD k : keys) {
                pressKey(k);
                Sleep(50);  // lets the menu's loop take each key before the next
            }
            return;
        }
        Sleep(20);
    }
}

TEST_F(InputTest, PopupMenuRunsTheItemChosenWithTheKeyboardIncludingSubmenus) {
    std::vector<std::string> ran;
    auto item = [&](const char* caption) {
        ui::MenuItem m;
        m.caption = caption;
        m.onClick = [&ran, caption] { ran.push_back(caption); };
        return m;
    };
    ui::MenuItem separator;
    separator.separator = true;
    ui::MenuItem help;
    help.caption = "帮助(&H)";
    help.subItems = {item("在线帮助(&O)"), item("关于(&A)...")};
    std::vector<ui::MenuItem> menu = {item("显示(&S)"), separator, help, item("退出(&X)")};

    std::thread keys(driveMenu, std::vector<WORD>{VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
    t.views.popupMenu(t.form, menu);
    keys.join();
    EXPECT_EQ(std::vector<std::string>{"关于(&A)..."}, ran);

    std::thread escape(driveMenu, std::vector<WORD>{VK_ESCAPE});
    t.views.popupMenu(t.form, menu);
    escape.join();
    EXPECT_EQ(1u, ran.size()) << "a dismissed menu ran an item";
}

}  // namespace
}  // namespace ui_test
