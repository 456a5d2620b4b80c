// The real views follow the model: windows, places, texts, visibility, fonts, lists,
// timers, window state and closing.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <vector>

#include "core/twips.h"
#include "platform/win32/wide.h"
#include "ui_test_support.h"

using platform::win32::narrow;
using platform::win32::wide;
using wine_test::pollUntil;

namespace ui_test {
namespace {

int dpi() {
    HDC screen = GetDC(nullptr);
    int value = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return value;
}

std::wstring className(HWND hwnd) {
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    return cls;
}

std::string listRow(HWND list, int index) {
    std::wstring row(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
    row.resize(static_cast<size_t>(
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(row.data()))));
    return narrow(row);
}

std::string listViewCell(HWND lv, int item, int sub) {
    wchar_t buffer[256] = {};
    LVITEMW cell{};
    cell.iSubItem = sub;
    cell.pszText = buffer;
    cell.cchTextMax = 256;
    SendMessageW(lv, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&cell));
    return narrow(buffer);
}

std::string tabCaption(HWND tabs, int index) {
    wchar_t buffer[128] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 128;
    SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return narrow(buffer);
}

LOGFONTW fontOf(HWND hwnd) {
    LOGFONTW lf{};
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    if (font) GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

struct ToolTipSearch {
    HWND owner;
    HWND tip;
};

BOOL CALLBACK matchToolTip(HWND hwnd, LPARAM lp) {
    auto& search = *reinterpret_cast<ToolTipSearch*>(lp);
    if (className(hwnd) != TOOLTIPS_CLASSW || GetWindow(hwnd, GW_OWNER) != search.owner)
        return TRUE;
    search.tip = hwnd;
    return FALSE;
}

HWND toolTipOf(HWND form) {
    ToolTipSearch search{form, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), matchToolTip, reinterpret_cast<LPARAM>(&search));
    return search.tip;
}

class ViewsTest : public ::testing::Test {
  protected:
    TestForm t;
};

TEST_F(ViewsTest, EveryControlIsADirectChildWithItsIdKindAndPlace) {
    ASSERT_TRUE(t.showInFront());
    struct Expect {
        const ui::Control* control;
        const wchar_t* cls;
    };
    const std::vector<Expect> expected = {
        {&t.title, L"Static"},   {&t.frame, L"Button"},        {&t.inner, L"Static"},
        {&t.nested, L"Button"},  {&t.nestedButton, L"Button"}, {&t.button, L"Button"},
        {&t.picture, L"Button"}, {&t.check, L"Button"},        {&t.text, L"Edit"},
        {&t.list, L"ListBox"},   {&t.listView, WC_LISTVIEWW},  {&t.tabs, WC_TABCONTROLW},
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.control->name());
        HWND child = t.child(e.control->id());
        ASSERT_NE(child, nullptr) << "GetDlgItem found no window with id " << e.control->id();
        EXPECT_EQ(GetParent(child), t.hwnd());
        EXPECT_EQ(t.views.windowOf(*e.control), child);
        EXPECT_EQ(0, lstrcmpiW(className(child).c_str(), e.cls)) << narrow(className(child));
        RECT r = rectInParent(child);
        EXPECT_EQ(r.left, core::twipsToPixels(e.control->formLeft(), dpi()));
        EXPECT_EQ(r.top, core::twipsToPixels(e.control->formTop(), dpi()));
        EXPECT_EQ(r.right - r.left, core::twipsToPixels(e.control->width(), dpi()));
    }
    EXPECT_EQ(nullptr, t.child(kTimer)) << "a timer has no window";
    RECT client{};
    GetClientRect(t.hwnd(), &client);
    EXPECT_EQ(client.right, core::twipsToPixels(7485, dpi()));
    EXPECT_EQ(client.bottom, core::twipsToPixels(5655, dpi()));
    EXPECT_EQ(BS_OWNERDRAW, GetWindowLongW(t.child(kPicture), GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(BS_CHECKBOX, GetWindowLongW(t.child(kCheck), GWL_STYLE) & BS_TYPEMASK);

    // Moving a frame moves what it holds.
    t.frame.move(480, 480);
    EXPECT_EQ(rectInParent(t.child(kNestedButton)).left,
              core::twipsToPixels(480 + 240 + 240, dpi()));
    t.frame.move(240, 480);
    EXPECT_EQ(rectInParent(t.child(kInnerLabel)).left, core::twipsToPixels(240 + 240, dpi()));

    if (const char* pause = std::getenv("VEILOR_UI_SCREENSHOT_MS")) {
        t.list.addItem("记事本 - 无标题");
        t.listView.addItem({"explorer.exe", {"C:\\windows\\explorer.exe"}});
        t.text.setText("老板键");
        pollUntil([] { return false; }, static_cast<DWORD>(std::atoi(pause)));
    }
}

TEST_F(ViewsTest, TextsReachTheWindowsInChinese) {
    t.form.load();
    EXPECT_EQ(wine_test::windowText(t.hwnd()), "测试窗体");
    EXPECT_EQ(wine_test::windowText(t.child(kTitle)), "窗口管理器 Veilor");
    t.title.setText("黑屏锁定 & 快捷键");
    EXPECT_EQ(wine_test::windowText(t.child(kTitle)), "黑屏锁定 & 快捷键");
    t.picture.setText("最小化托盘");
    EXPECT_EQ(wine_test::windowText(t.child(kPicture)), "最小化托盘")
        << "a picture button's text is its label";
    t.form.setText("Veilor 设置");
    EXPECT_EQ(wine_test::windowText(t.hwnd()), "Veilor 设置");
    t.text.setText("[隐藏] 记事本");
    EXPECT_EQ(wine_test::windowText(t.child(kText)), "[隐藏] 记事本");
    EXPECT_EQ(t.text.text(), "[隐藏] 记事本") << "setting the text is not the user typing";
}

TEST_F(ViewsTest, HidingAFrameHidesEverythingInsideAndShowingKeepsHiddenChildrenHidden) {
    ASSERT_TRUE(t.showInFront());
    HWND inner = t.child(kInnerLabel), nested = t.child(kNestedFrame),
         button = t.child(kNestedButton);
    ASSERT_TRUE(IsWindowVisible(button));
    t.frame.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(t.child(kFrame)));
    EXPECT_FALSE(IsWindowVisible(inner));
    EXPECT_FALSE(IsWindowVisible(nested));
    EXPECT_FALSE(IsWindowVisible(button));
    EXPECT_TRUE(IsWindowVisible(t.child(kButton))) << "controls outside the frame stay";

    t.nestedButton.setVisible(false);
    t.frame.setVisible(true);
    EXPECT_TRUE(IsWindowVisible(inner));
    EXPECT_TRUE(IsWindowVisible(nested));
    EXPECT_FALSE(IsWindowVisible(button)) << "hidden itself, it stays hidden in a shown frame";
    t.nestedButton.setVisible(true);
    EXPECT_TRUE(IsWindowVisible(button));
    t.nested.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(button));
}

// A frame hidden when the form loads holds no windows yet: showing it makes them, drawn
// over the frame, with whatever the model said meanwhile; the rest follow once the form
// is on screen.
TEST_F(ViewsTest, AFrameHiddenAtLoadGetsItsWindowsWhenShownOrOnceTheFormIsUp) {
    t.frame.setVisible(false);
    t.form.load();
    ASSERT_NE(t.child(kButton), nullptr);
    EXPECT_EQ(t.child(kFrame), nullptr) << "made before anyone could see it";
    EXPECT_EQ(t.child(kInnerLabel), nullptr);
    t.inner.setText("已改");
    t.nestedButton.setEnabled(false);
    t.frame.setVisible(true);
    HWND inner = t.child(kInnerLabel), button = t.child(kNestedButton);
    ASSERT_NE(inner, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(wine_test::windowText(inner), "已改");
    EXPECT_FALSE(IsWindowEnabled(button));
    EXPECT_EQ(rectInParent(button).left, core::twipsToPixels(240 + 240 + 240, dpi()));
    RECT r = rectInParent(inner);
    POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    EXPECT_EQ(ChildWindowFromPointEx(t.hwnd(), middle, CWP_SKIPINVISIBLE), inner)
        << "the frame lies over what it holds";

    TestForm later;
    later.nested.setVisible(false);
    ASSERT_TRUE(later.showInFront());
    EXPECT_TRUE(pollUntil([&] { return later.child(kNestedButton) != nullptr; },
                          wine_test::kDeadlineMs, "the hidden frame's button made"));
    EXPECT_FALSE(IsWindowVisible(later.child(kNestedButton)));
}

TEST_F(ViewsTest, DisablingFollowsTheModelAndAFrameDisablesWhatItHolds) {
    t.form.load();
    t.button.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(t.child(kButton)));
    t.button.setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(t.child(kButton)));
    t.frame.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(t.child(kNestedButton)));
    EXPECT_FALSE(IsWindowEnabled(t.child(kInnerLabel)));
    t.frame.setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(t.child(kNestedButton)));
}

TEST_F(ViewsTest, EveryControlGetsTheUiFontAndBoldOnesItsBoldFace) {
    t.form.load();
    const std::wstring face = t.views.fonts().face();
    std::cout << "UI face: " << narrow(face) << "\n";
    for (int id :
         {kTitle, kFrame, kInnerLabel, kButton, kPicture, kCheck, kText, kList, kListView, kTabs}) {
        LOGFONTW lf = fontOf(t.child(id));
        EXPECT_EQ(narrow(lf.lfFaceName), narrow(face)) << "control " << id;
    }
    EXPECT_GE(fontOf(t.child(kTitle)).lfWeight, FW_BOLD);
    EXPECT_LT(fontOf(t.child(kButton)).lfWeight, FW_BOLD);
    t.button.setBold(true);
    EXPECT_GE(fontOf(t.child(kButton)).lfWeight, FW_BOLD);
    // The prefix maps this face to an installed one; where it exists it is the one used.
    if (ui::win32::fontFamilyInstalled(L"Microsoft YaHei UI")) {
        EXPECT_EQ(narrow(face), "Microsoft YaHei UI");
    }
}

TEST_F(ViewsTest, ToolTipsAreRegisteredPerControlAndFollowChanges) {
    t.form.load();
    HWND tip = toolTipOf(t.hwnd());
    ASSERT_NE(tip, nullptr) << "the form has no tooltip control";
    EXPECT_EQ(1, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    wchar_t buffer[80] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = t.hwnd();
    info.uId = reinterpret_cast<UINT_PTR>(t.child(kPicture));
    info.lpszText = buffer;
    SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(narrow(buffer), "隐藏全部");
    t.button.setToolTip("退出");
    EXPECT_EQ(2, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    t.picture.setToolTip("");
    EXPECT_EQ(1, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
}

TEST_F(ViewsTest, ListBoxRowsAndSelectionFollowTheModel) {
    t.form.load();
    HWND list = t.child(kList);
    int clicks = 0;
    t.list.onClick = [&] { ++clicks; };
    t.list.addItem("记事本");
    t.list.addItem("[隐藏] 计算器");
    t.list.addItem("[Frozen] 画图");
    ASSERT_EQ(3, SendMessageW(list, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(listRow(list, 1), "[隐藏] 计算器");
    t.list.setListIndex(2);
    EXPECT_EQ(2, SendMessageW(list, LB_GETCURSEL, 0, 0));
    t.list.removeItem(0);
    EXPECT_EQ(2, SendMessageW(list, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(listRow(list, 0), "[隐藏] 计算器");
    EXPECT_EQ(1, SendMessageW(list, LB_GETCURSEL, 0, 0))
        << "the selected row moved up with the model";
    t.list.setItem(0, "计算器");
    EXPECT_EQ(listRow(list, 0), "计算器");
    EXPECT_EQ(1, SendMessageW(list, LB_GETCURSEL, 0, 0));
    t.list.clear();
    EXPECT_EQ(0, SendMessageW(list, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(1, clicks) << "only the selection made by the program ran the click";
}

TEST_F(ViewsTest, ListViewColumnsRowsAndSelectionFollowTheModel) {
    t.form.load();
    HWND lv = t.child(kListView);
    HWND header = reinterpret_cast<HWND>(SendMessageW(lv, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(2, SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    t.listView.addItem({"notepad.exe", {"C:\\windows\\notepad.exe"}});
    t.listView.addItem({"资源管理器.exe", {"C:\\程序\\资源管理器.exe"}});
    ASSERT_EQ(2, SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(listViewCell(lv, 1, 0), "资源管理器.exe");
    EXPECT_EQ(listViewCell(lv, 1, 1), "C:\\程序\\资源管理器.exe");
    t.listView.setSelectedIndex(1);
    EXPECT_EQ(1, SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    wine_test::pumpMessages();
    EXPECT_EQ(1, t.listView.selectedIndex()) << "the view's own notifications did not move it";
    t.listView.removeItem(0);
    EXPECT_EQ(1, SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0));
    t.listView.clearColumns();
    t.listView.addColumn("映像名称", 1500);
    EXPECT_EQ(1, SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    t.listView.clear();
    EXPECT_EQ(0, SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0));
}

TEST_F(ViewsTest, TabStripTabsAndSelectionFollowTheModel) {
    t.form.load();
    HWND tabs = t.child(kTabs);
    ASSERT_EQ(3, SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(tabCaption(tabs, 2), "黑屏锁定");
    EXPECT_EQ(0, SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    t.tabs.select(2);
    EXPECT_EQ(2, SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
}

TEST_F(ViewsTest, TimerTicksUnderTheMessageLoopAndStopsWithItsInterval) {
    t.form.load();
    int ticks = 0;
    t.timer.onTick = [&] { ++ticks; };
    t.timer.setInterval(30);
    EXPECT_TRUE(pollUntil([&] { return ticks >= 3; }, wine_test::kDeadlineMs, "three ticks",
                          [&] { return std::to_string(ticks); }));
    t.timer.setInterval(0);
    int stopped = ticks;
    pollUntil([] { return false; }, 300);
    EXPECT_EQ(stopped, ticks) << "ticks after the interval went to 0";

    t.timer.setInterval(30);
    t.timer.setEnabled(false);
    pollUntil([] { return false; }, 300);
    EXPECT_EQ(stopped, ticks) << "ticks while disabled";
    t.timer.setEnabled(true);
    EXPECT_TRUE(pollUntil([&] { return ticks > stopped; }, wine_test::kDeadlineMs,
                          "a tick after enabling"));
}

TEST_F(ViewsTest, CloseRunsTheUnloadHandlerAndCancellingKeepsTheWindow) {
    ASSERT_TRUE(t.showInFront());
    HWND hwnd = t.hwnd();
    int asked = 0;
    bool cancel = true;
    t.form.onUnload = [&](bool& c) {
        ++asked;
        c = cancel;
    };
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, asked);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(t.form.loaded());

    cancel = false;
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(2, asked);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(t.form.loaded());
    EXPECT_EQ(0u, t.form.handle());

    // It can be loaded again, with a fresh window.
    t.form.load();
    EXPECT_TRUE(IsWindow(t.hwnd()));
    EXPECT_NE(nullptr, t.child(kButton));
}

TEST_F(ViewsTest, MinimiseAndRestoreFollowBothWaysWithoutEcho) {
    ASSERT_TRUE(t.showInFront());
    int resized = 0;
    t.form.onResize = [&] { ++resized; };
    t.form.setWindowState(ui::WindowState::Minimized);
    EXPECT_TRUE(
        pollUntil([&] { return IsIconic(t.hwnd()) != FALSE; }, 5000, "the window to be minimised"));
    EXPECT_EQ(1, resized);
    // The user restores it from the taskbar.
    ShowWindow(t.hwnd(), SW_RESTORE);
    EXPECT_TRUE(pollUntil([&] { return t.form.windowState() == ui::WindowState::Normal; }, 5000,
                          "the model to learn the window was restored"));
    EXPECT_EQ(2, resized);
    // Hidden while minimised (the notification-area case), then restored by the program.
    t.form.setWindowState(ui::WindowState::Minimized);
    t.form.hide();
    EXPECT_FALSE(IsWindowVisible(t.hwnd()));
    t.form.setWindowState(ui::WindowState::Normal);
    EXPECT_FALSE(IsWindowVisible(t.hwnd())) << "restoring does not show a hidden form";
    t.form.show();
    EXPECT_TRUE(IsWindowVisible(t.hwnd()));
    EXPECT_FALSE(IsIconic(t.hwnd()));
    EXPECT_EQ(ui::WindowState::Normal, t.form.windowState());
}

TEST_F(ViewsTest, FrameStyleDecidesTheCaptionBar) {
    ui::FormStyle skinned;
    skinned.border = ui::FormBorder::FixedSingle;
    skinned.controlBox = false;
    t.form.setStyle(skinned);
    t.form.setText("");
    t.form.load();
    LONG style = GetWindowLongW(t.hwnd(), GWL_STYLE);
    EXPECT_NE(WS_CAPTION, style & WS_CAPTION) << "no title bar without caption and control box";
    EXPECT_EQ(0, style & WS_THICKFRAME) << "not resizable";
    RECT client{};
    GetClientRect(t.hwnd(), &client);
    EXPECT_EQ(client.right, core::twipsToPixels(7485, dpi()));
    t.form.setText("Veilor");
    EXPECT_EQ(WS_CAPTION, GetWindowLongW(t.hwnd(), GWL_STYLE) & WS_CAPTION);
    GetClientRect(t.hwnd(), &client);
    EXPECT_EQ(client.bottom, core::twipsToPixels(5655, dpi())) << "the client area keeps its size";
}

TEST_F(ViewsTest, BackgroundPainterPaintsTheForm) {
    int painted = 0;
    t.views.setBackgroundPainter(t.form, [&](HDC dc, RECT client) {
        ++painted;
        HBRUSH brush = CreateSolidBrush(RGB(0x20, 0x40, 0x80));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    });
    ASSERT_TRUE(t.showInFront());
    EXPECT_TRUE(pollUntil([&] { return painted > 0; }, 5000, "the painter to run"));
    HDC dc = GetDC(t.hwnd());
    COLORREF pixel = GetPixel(dc, 4, core::twipsToPixels(5655, dpi()) - 4);
    ReleaseDC(t.hwnd(), dc);
    EXPECT_EQ(RGB(0x20, 0x40, 0x80), pixel) << std::hex << pixel;
}

BOOL CALLBACK countUndrawn(HWND child, LPARAM count) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE))
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// The form or its visible controls that still wait to be painted; -1 when it is not shown.
int undrawn(HWND form) {
    if (!IsWindowVisible(form)) return -1;
    int count = GetUpdateRect(form, nullptr, FALSE) ? 1 : 0;
    EnumChildWindows(form, countUndrawn, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(ViewsTest, FirstShownComesOnceAtTheMessageLoopsTurnWithTheFormDrawn) {
    std::vector<int> undrawnWhenShown;
    t.form.onFirstShown = [&] { undrawnWhenShown.push_back(undrawn(t.hwnd())); };
    t.form.show();
    EXPECT_TRUE(undrawnWhenShown.empty()) << "before the message loop's turn";
    ASSERT_TRUE(pollUntil([&] { return !undrawnWhenShown.empty(); }, wine_test::kDeadlineMs,
                          "the first-shown event"));
    EXPECT_EQ(undrawnWhenShown[0], 0) << "-1: not on screen; more: windows not painted yet";
    t.form.hide();
    t.form.show();
    pollUntil([] { return false; }, 300);
    EXPECT_EQ(undrawnWhenShown.size(), 1u);
}

}  // namespace
}  // namespace ui_test
