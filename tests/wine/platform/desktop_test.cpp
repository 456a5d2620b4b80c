#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/win32/win32_desktop.h"
#include "platform_test_support.h"
#include "peer_protocol.h"

using platform::kNoWindow;
using platform::ShowCommand;
using platform::WindowHandle;
using platform::win32::narrow;
using platform::win32::Win32Desktop;
using platform_test::PeerProcess;
using platform_test::waitUntil;

namespace {

constexpr DWORD kDeadlineMs = 30000;
const std::string kPeerClass = narrow(peer::kWindowClass);

// Another program with one window titled as asked, found once it has opened.
class PeerWindow {
  public:
    explicit PeerWindow(const std::wstring& title, const wchar_t* flags = L"")
        : title(narrow(title)), process_(L"window " + platform_test::quoted(title) + L" " + flags) {
        // The peer shows its window last, once its children and state are in place.
        waitUntil(
            [&] {
                handle = desktop_.findWindow(kPeerClass, this->title);
                return handle != kNoWindow && desktop_.isWindowVisible(handle);
            },
            kDeadlineMs);
    }
    ~PeerWindow() {
        if (handle) PostMessageW(reinterpret_cast<HWND>(handle), WM_CLOSE, 0, 0);
        process_.waitExit(5000);
    }
    HWND hwnd() const { return reinterpret_cast<HWND>(handle); }

    std::string title;
    WindowHandle handle = kNoWindow;

  private:
    Win32Desktop desktop_;
    PeerProcess process_;
};

std::wstring uniqueTitle(const std::wstring& base) {
    return platform_test::uniqueName(base);
}

DWORD msSince(DWORD start) {
    return GetTickCount() - start;
}

TEST(Win32Desktop, FindsAnotherProgramsWindowByChineseTitleAndClass) {
    PeerWindow peer(uniqueTitle(L"记事本 - 机密报告"));
    ASSERT_NE(peer.handle, kNoWindow) << "peer window never appeared";
    Win32Desktop desktop;
    EXPECT_EQ(desktop.findWindow("", peer.title), peer.handle);
    EXPECT_EQ(desktop.findWindow(kPeerClass, ""), desktop.findWindow(kPeerClass, ""));
    EXPECT_EQ(desktop.findWindow("NoSuchClass", peer.title), kNoWindow);
    EXPECT_EQ(desktop.findWindow("", peer.title + " "), kNoWindow) << "titles match exactly";
    EXPECT_EQ(desktop.windowText(peer.handle), peer.title);

    std::vector<WindowHandle> all = desktop.topLevelWindows();
    EXPECT_NE(std::find(all.begin(), all.end(), peer.handle), all.end());
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front(), reinterpret_cast<WindowHandle>(GetTopWindow(nullptr))) << "top first";

    EXPECT_TRUE(desktop.isWindowVisible(peer.handle));
    EXPECT_TRUE(desktop.isWindowEnabled(peer.handle));
    std::uint32_t style = desktop.windowStyle(peer.handle);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, static_cast<std::uint32_t>(WS_OVERLAPPEDWINDOW))
        << std::hex << style;
}

TEST(Win32Desktop, FindsChildWindowsOneAfterAnother) {
    PeerWindow peer(uniqueTitle(L"Children"), L"--children");
    ASSERT_NE(peer.handle, kNoWindow);
    Win32Desktop desktop;
    WindowHandle ok = desktop.findChildWindow(peer.handle, kNoWindow, "Button", "");
    ASSERT_NE(ok, kNoWindow);
    EXPECT_EQ(desktop.windowText(ok), "确定");
    WindowHandle cancel = desktop.findChildWindow(peer.handle, ok, "Button", "");
    ASSERT_NE(cancel, kNoWindow);
    EXPECT_EQ(desktop.windowText(cancel), "取消");
    EXPECT_EQ(desktop.findChildWindow(peer.handle, cancel, "Button", ""), kNoWindow);
    EXPECT_EQ(desktop.findChildWindow(peer.handle, kNoWindow, "", "取消"), cancel);
}

TEST(Win32Desktop, RenamesAnotherProgramsWindow) {
    PeerWindow peer(uniqueTitle(L"Rename"));
    ASSERT_NE(peer.handle, kNoWindow);
    Win32Desktop desktop;
    std::string marked = "[隐藏] " + peer.title;
    EXPECT_TRUE(desktop.setWindowText(peer.handle, marked));
    EXPECT_EQ(desktop.windowText(peer.handle), marked);
    EXPECT_EQ(desktop.findWindow("", marked), peer.handle);
    EXPECT_EQ(desktop.findWindow("", peer.title), kNoWindow);
}

TEST(Win32Desktop, HidesAndShowsAnotherProgramsWindow) {
    PeerWindow peer(uniqueTitle(L"隐藏和显示"));
    ASSERT_NE(peer.handle, kNoWindow);
    Win32Desktop desktop;
    EXPECT_TRUE(desktop.showWindow(peer.handle, ShowCommand::Hide));
    EXPECT_TRUE(waitUntil([&] { return !desktop.isWindowVisible(peer.handle); }, kDeadlineMs));
    EXPECT_FALSE(IsWindowVisible(peer.hwnd()));
    EXPECT_TRUE(desktop.showWindow(peer.handle, ShowCommand::Show));
    EXPECT_TRUE(waitUntil([&] { return desktop.isWindowVisible(peer.handle); }, kDeadlineMs));
}

TEST(Win32Desktop, DisabledWindowIsReportedSo) {
    PeerWindow peer(uniqueTitle(L"Frozen"), L"--disabled");
    ASSERT_NE(peer.handle, kNoWindow);
    EXPECT_FALSE(Win32Desktop().isWindowEnabled(peer.handle));
}

TEST(Win32Desktop, HungWindowCannotFreezeUs) {
    PeerWindow peer(uniqueTitle(L"未响应"));
    ASSERT_NE(peer.handle, kNoWindow);
    Win32Desktop desktop;
    // Its thread now sleeps for 4 s; the unanswered probe proves it has started.
    DWORD_PTR ignored = 0;
    ASSERT_EQ(
        SendMessageTimeoutW(peer.hwnd(), peer::kHangMessage, 4000, 0, SMTO_NORMAL, 300, &ignored),
        0);

    DWORD start = GetTickCount();
    EXPECT_FALSE(desktop.setWindowText(peer.handle, "[隐藏] " + peer.title));
    DWORD took = msSince(start);
    EXPECT_GE(took, Win32Desktop::kSetTextTimeoutMs - 100);
    EXPECT_LT(took, 1000u);

    start = GetTickCount();
    EXPECT_EQ(desktop.windowText(peer.handle), peer.title) << "read without asking the window";
    EXPECT_TRUE(desktop.showWindow(peer.handle, ShowCommand::Hide));
    EXPECT_LT(msSince(start), 200u) << "reading and hiding must not wait for the window";

    // The hide was queued, not lost: it happens once the window's thread wakes.
    EXPECT_TRUE(waitUntil([&] { return !desktop.isWindowVisible(peer.handle); }, kDeadlineMs));
    // The abandoned rename is not applied once the window wakes: it would mark a window
    // that Veilor left visible.
    EXPECT_EQ(desktop.windowText(peer.handle), peer.title);
}

TEST(Win32Desktop, OwnWindowStyleCanBeChanged) {
    HWND own = CreateWindowExW(0, L"Static", L"Veilor", WS_POPUP | WS_CAPTION, 0, 0, 100, 100,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(own, nullptr);
    auto handle = reinterpret_cast<WindowHandle>(own);
    Win32Desktop desktop;
    std::uint32_t style = desktop.windowStyle(handle);
    EXPECT_EQ(style & WS_MINIMIZEBOX, 0u);
    EXPECT_TRUE(desktop.setWindowStyle(handle, style | WS_MINIMIZEBOX));
    EXPECT_EQ(desktop.windowStyle(handle), style | WS_MINIMIZEBOX);
    EXPECT_TRUE(desktop.setWindowText(handle, "隐身"));
    EXPECT_EQ(desktop.windowText(handle), "隐身");
    EXPECT_TRUE(desktop.showWindow(handle, ShowCommand::ShowNA));
    EXPECT_TRUE(desktop.isWindowVisible(handle));
    EXPECT_TRUE(desktop.showWindow(handle, ShowCommand::Hide)) << "succeeds, though it was visible";
    EXPECT_FALSE(desktop.isWindowVisible(handle));
    DestroyWindow(own);
}

TEST(Win32Desktop, NoWindowAndClosedWindowsFailQuietly) {
    Win32Desktop desktop;
    WindowHandle closed = kNoWindow;
    {
        PeerWindow peer(uniqueTitle(L"Closed"));
        closed = peer.handle;
    }
    ASSERT_NE(closed, kNoWindow);
    for (WindowHandle w : {kNoWindow, closed}) {
        SCOPED_TRACE(w);
        EXPECT_EQ(desktop.windowText(w), "");
        EXPECT_FALSE(desktop.setWindowText(w, "x"));
        EXPECT_FALSE(desktop.showWindow(w, ShowCommand::Show));
        EXPECT_FALSE(desktop.isWindowVisible(w));
        EXPECT_FALSE(desktop.isWindowEnabled(w));
        EXPECT_EQ(desktop.windowStyle(w), 0u);
        EXPECT_FALSE(desktop.setWindowStyle(w, WS_VISIBLE));
    }
}

}  // namespace
