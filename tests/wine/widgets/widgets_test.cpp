// The restore widgets as real windows: layered and half transparent, no caption, their
// size and load place on screen, docking at the top edge, and the real mouse sliding a
// docked widget out, clicking it and dragging it away from the edge.
#include <windows.h>

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_desktop.h"
#include "support/driver.h"
#include "ui/control_ids.h"
#include "ui/win32/ui_font.h"
#include "ui/win32/win32_forms.h"
#include "windows/restore_widget.h"

namespace {

using ui::win32::twipsToPixels;
using windows::RestoreWidget;
using wine_test::clickAtPoint;
using wine_test::pointerTo;
using wine_test::pollEquals;
using wine_test::pollUntil;

std::string describe(const RECT& r) {
    return wine_test::concat("(", std::to_string(r.left), ",", std::to_string(r.top), ")-(",
                             std::to_string(r.right), ",", std::to_string(r.bottom), ")");
}

void mouseButton(DWORD flags, POINT at) {
    INPUT input = wine_test::mouseInput(flags, at);
    SendInput(1, &input, sizeof(INPUT));
}

class WidgetsTest : public ::testing::Test {
  protected:
    WidgetsTest() {
        oneKey.onAction = [this] { ++actions; };
        reWin.onAction = [this] { ++actions; };
    }
    void TearDown() override {
        oneKey.hide();
        reWin.hide();
        wine_test::pumpMessages();
    }

    static HWND hwndOf(const ui::Form& f) { return reinterpret_cast<HWND>(f.handle()); }
    static RECT rectOf(const ui::Form& f) {
        RECT r{};
        GetWindowRect(hwndOf(f), &r);
        return r;
    }
    static POINT centreOf(const ui::Form& f) {
        RECT r = rectOf(f);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // Shown as the main window shows it, then left to dock at the top edge.
    ::testing::AssertionResult showDocked(RestoreWidget& w) {
        w.show();
        w.Timer2.setEnabled(true);
        return pollUntil([&] { return rectOf(w).top == twipsToPixels(30 - w.height()); }, 5000,
                         "the widget to dock at the top", [&] { return describe(rectOf(w)); });
    }

    ui::win32::Win32Forms views;
    platform::win32::Win32Desktop desktop;
    platform::win32::Win32Clock clock;
    RestoreWidget oneKey{views, desktop, clock, windows::oneKeyLook()};
    RestoreWidget reWin{views, desktop, clock, windows::restoreWinLook()};
    int actions = 0;
};

TEST_F(WidgetsTest, LayeredHalfTransparentBorderlessAtTheirLoadPlaces) {
    struct Expected {
        RestoreWidget* widget;
        const wchar_t* title;
        int loadLeft;
    };
    for (Expected e : {Expected{&oneKey, L"Veilor 一键还原", 11220},
                       Expected{&reWin, L"Veilor 还原桌面", 10245}}) {
        e.widget->show();
        HWND hwnd = hwndOf(*e.widget);
        EXPECT_EQ(hwnd, FindWindowW(nullptr, e.title)) << wine_test::describeTopWindows();
        LONG ex = GetWindowLongW(hwnd, GWL_EXSTYLE), style = GetWindowLongW(hwnd, GWL_STYLE);
        EXPECT_TRUE(ex & WS_EX_LAYERED) << std::hex << ex;
        EXPECT_TRUE(ex & WS_EX_TOPMOST) << std::hex << ex;
        EXPECT_TRUE(ex & WS_EX_TOOLWINDOW) << "shown in the taskbar: " << std::hex << ex;
        EXPECT_EQ(0, style & WS_CAPTION) << std::hex << style;
        EXPECT_EQ(0, style & WS_THICKFRAME) << std::hex << style;
        BYTE alpha = 0;
        DWORD flags = 0;
        COLORREF key = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags)) << GetLastError();
        EXPECT_EQ(160, alpha);
        EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), flags & (LWA_ALPHA | LWA_COLORKEY));
        RECT client{};
        GetClientRect(hwnd, &client);
        EXPECT_EQ(twipsToPixels(975), client.right);
        EXPECT_EQ(twipsToPixels(405), client.bottom);
        RECT r = rectOf(*e.widget);
        EXPECT_EQ(twipsToPixels(e.loadLeft), r.left) << describe(r);
        EXPECT_EQ(0, r.top) << describe(r);
        EXPECT_TRUE(IsWindowVisible(hwnd));
        HWND caption = wine_test::controlById(hwnd, ui::ids::kReCaption);
        EXPECT_EQ(e.widget->lblCaption.text(), wine_test::windowText(caption));
    }
}

TEST_F(WidgetsTest, Timer2DocksAtTheTopLeavingAThinStripAfterAboutOneAndAHalfSeconds) {
    oneKey.show();
    DWORD start = GetTickCount();
    ASSERT_TRUE(showDocked(oneKey));
    DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 1400u) << "docked before the widget could be seen";
    RECT r = rectOf(oneKey);
    EXPECT_EQ(twipsToPixels(11220), r.left) << describe(r);
    EXPECT_EQ(twipsToPixels(30), r.bottom) << describe(r);
    EXPECT_TRUE(IsWindowVisible(hwndOf(oneKey)));
}

TEST_F(WidgetsTest, TouchingTheStripSlidesItOutAndLeavingDocksItAgain) {
    ASSERT_TRUE(showDocked(oneKey));
    POINT strip{centreOf(oneKey).x, 0};
    ASSERT_TRUE(pointerTo(strip));
    ASSERT_TRUE(pollEquals(
        0L, [&] { return rectOf(oneKey).top; }, 3000));
    ASSERT_TRUE(pointerTo({strip.x, 300}));
    EXPECT_TRUE(pollEquals(
        twipsToPixels(30 - 405), [&] { return int(rectOf(oneKey).top); }, 3000));
    EXPECT_EQ(0, actions);
}

TEST_F(WidgetsTest, ARealClickRunsTheAction) {
    reWin.show();
    reWin.move(5000, 4000);
    POINT centre = centreOf(reWin);  // over the caption's text: the click goes through it
    SetForegroundWindow(hwndOf(reWin));
    ASSERT_TRUE(clickAtPoint(centre, hwndOf(reWin)));
    ASSERT_TRUE(pollEquals(
        1, [&] { return actions; }, 3000));
    RECT r = rectOf(reWin);
    EXPECT_EQ(twipsToPixels(5000), r.left) << describe(r);
    EXPECT_EQ(twipsToPixels(4000), r.top) << describe(r);
}

TEST_F(WidgetsTest, ARealDragFromTheTopEdgeToTheMiddleLeavesItThere) {
    ASSERT_TRUE(showDocked(oneKey));
    POINT at{centreOf(oneKey).x, 0};
    ASSERT_TRUE(pointerTo(at));
    ASSERT_TRUE(pollEquals(
        0L, [&] { return rectOf(oneKey).top; }, 3000));
    // The user's pointer moves on into the widget before pressing.
    at.y = 10;
    ASSERT_TRUE(pointerTo(at));
    mouseButton(MOUSEEVENTF_LEFTDOWN, at);
    const POINT target{400, 400};
    for (int step = 1; step <= 5; ++step) {
        POINT p{at.x + (target.x - at.x) * step / 5, at.y + (target.y - at.y) * step / 5};
        ASSERT_TRUE(pointerTo(p));
    }
    ASSERT_TRUE(pollUntil(
        [&] {
            RECT r = rectOf(oneKey);
            return PtInRect(&r, target) != FALSE;
        },
        3000, "the widget to follow the pointer", [&] { return describe(rectOf(oneKey)); }));
    mouseButton(MOUSEEVENTF_LEFTUP, target);
    RECT dropped = rectOf(oneKey);
    pollUntil([] { return false; }, 1000);
    RECT after = rectOf(oneKey);
    EXPECT_TRUE(EqualRect(&dropped, &after)) << describe(dropped) << " then " << describe(after);
    EXPECT_GT(after.top, 100) << describe(after);
    EXPECT_EQ(0, actions) << "a drag ran the click action";
}

}  // namespace
