// The real Veilor.exe under Wine: the main window is the skin alone (no caption, the
// design's size at the screen's DPI), its picture buttons are owner-drawn but still
// named by their text, and the news page, with no browser engine in this prefix, shows
// its notice without any dialog appearing.
#include <windows.h>

#include <vector>

#include "support/driver.h"
#include "ui/control_ids.h"

namespace {

using namespace wine_test;

int screenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::wstring className(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

struct OtherWindows {
    DWORD pid;
    HWND main;
    std::vector<HWND> found;
};

// Any visible top-level window of the process besides the main window and tool tips.
BOOL CALLBACK collectOthers(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<OtherWindows*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search.pid || window == search.main || !IsWindowVisible(window)) return TRUE;
    if (className(window) == L"tooltips_class32") return TRUE;
    search.found.push_back(window);
    return TRUE;
}

std::string otherVisibleWindows(DWORD pid, HWND main) {
    OtherWindows search{pid, main, {}};
    EnumWindows(collectOthers, reinterpret_cast<LPARAM>(&search));
    std::string text;
    for (HWND w : search.found)
        text += describeWindow(w) + "; ";
    return text;
}

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        // Nothing hidden at start and no question at exit.
        ASSERT_TRUE(putVeilorSettings(veilorConfig("1")));
        veilor = Process::start(veilorExe());
        ASSERT_TRUE(veilor.valid());
        main = waitForWindow({L"", L"Veilor", veilor.pid(), true});
        ASSERT_NE(main, nullptr);
    }
    Process veilor;
    HWND main = nullptr;
};

TEST_F(MainWindow, HasNoCaptionAndItsFixedSizeAtTheScreensDpi) {
    LONG style = GetWindowLongW(main, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0) << describeWindow(main);
    EXPECT_EQ(style & WS_THICKFRAME, 0) << describeWindow(main);
    RECT client{};
    GetClientRect(main, &client);
    int dpi = screenDpi();
    // 7485 x 5655 twips: at 96 DPI the 500 x 380 design less its last pixel column and
    // three rows, which the skin is scaled into.
    EXPECT_EQ(client.right, MulDiv(7485, dpi, 1440)) << "dpi " << dpi;
    EXPECT_EQ(client.bottom, MulDiv(5655, dpi, 1440)) << "dpi " << dpi;
    EXPECT_NEAR(client.right, MulDiv(500, dpi, 96), MulDiv(3, dpi, 96));
    EXPECT_NEAR(client.bottom, MulDiv(380, dpi, 96), MulDiv(3, dpi, 96));
}

int brightness(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

TEST_F(MainWindow, BackgroundIsTheSkinNotThePlainFace) {
    RECT client{};
    GetClientRect(main, &client);
    HDC dc = GetDC(main);
    COLORREF header = CLR_INVALID, body = CLR_INVALID;
    // The header band is dark, the body beside the page card light (and not the face
    // colour of an unskinned form). Read until the first paint has reached the screen.
    EXPECT_TRUE(pollUntil(
        [&] {
            header = GetPixel(dc, client.right * 200 / 500, client.bottom * 60 / 380);
            body = GetPixel(dc, client.right * 495 / 500, client.bottom * 200 / 380);
            return header != CLR_INVALID && body != CLR_INVALID && brightness(header) < 3 * 0x50 &&
                   brightness(body) > 3 * 0xC0 && body != GetSysColor(COLOR_BTNFACE);
        },
        kDeadlineMs, "a dark header and a light body",
        [&] { return concat(std::hex, "header ", header, ", body ", body); }));
    ReleaseDC(main, dc);
}

TEST_F(MainWindow, PictureButtonsAreOwnerDrawnAndNamedByTheirText) {
    const std::pair<int, const char*> buttons[] = {
        {ui::ids::kCommand8, "隐藏"},          {ui::ids::kFrmTray, "最小化托盘"},
        {ui::ids::kFrmResize, "最小化任务栏"}, {ui::ids::kFrmUnload, "退出"},
        {ui::ids::kCommand1, "窗口管理器"},    {ui::ids::kCommand4, "最新资讯"},
        {ui::ids::kCommand7, "一键隐藏"},      {ui::ids::kCommand6, "黑屏锁定"},
    };
    for (const auto& [id, label] : buttons) {
        HWND button = controlById(main, id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW)
            << describeWindow(button);
        EXPECT_EQ(windowText(button), label) << id;
    }
    // The small ones sit inside the header band, at the top right.
    RECT client{}, hide{};
    GetClientRect(main, &client);
    GetWindowRect(controlById(main, ui::ids::kFrmUnload), &hide);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&hide), 2);
    EXPECT_LE(hide.right, client.right);
    EXPECT_EQ(hide.top, 0);
}

TEST_F(MainWindow, NewsPageShowsTheNoticeWithoutAnyDialog) {
    HWND frame = controlById(main, ui::ids::kFrame3);
    ASSERT_TRUE(pollUntil([&] { return IsWindowVisible(frame) != FALSE; }, kDeadlineMs,
                          "the news page to be the page shown at start"));
    HWND panel = controlById(main, ui::ids::kWebBrowser1);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(toUtf8(className(panel)), "VeilorWebPanel");
    EXPECT_TRUE(IsWindowVisible(panel));
    // The panel is filled once the window is on screen. A child made visible is found
    // before its creation ends with the show, so the wait covers both.
    HWND notice = nullptr;
    ASSERT_TRUE(pollUntil(
        [&] {
            notice = FindWindowExW(panel, nullptr, L"Static", nullptr);
            return notice && IsWindowVisible(notice);
        },
        kDeadlineMs, "the notice in the news panel, shown", [&] { return describeWindow(panel); }));
    EXPECT_EQ(windowText(notice), "无法显示最新资讯。");

    // Whatever the panel tried, no window of Veilor's besides the main one shows up.
    DWORD until = GetTickCount() + 2000;
    std::string others;
    while (GetTickCount() < until && others.empty()) {
        pumpMessages();
        others = otherVisibleWindows(veilor.pid(), main);
        Sleep(50);
    }
    EXPECT_EQ(others, "");

    // Another page hides the panel with its page; coming back shows it again.
    ASSERT_TRUE(clickButton(controlById(main, ui::ids::kCommand3)));
    EXPECT_TRUE(pollUntil([&] { return !IsWindowVisible(panel); }, kDeadlineMs,
                          "the panel to hide with its page"));
    ASSERT_TRUE(clickButton(controlById(main, ui::ids::kCommand4)));
    EXPECT_TRUE(pollUntil([&] { return IsWindowVisible(panel) != FALSE; }, kDeadlineMs,
                          "the panel to show with its page"));
    EXPECT_TRUE(veilor.running());
}

}  // namespace
