#include <gtest/gtest.h>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_shell.h"
#include "platform_test_support.h"
#include "peer_protocol.h"

using platform::ShowCommand;
using platform::win32::narrow;
using platform::win32::Win32Files;
using platform::win32::Win32Shell;
using platform_test::PeerProcess;
using platform_test::TempFolder;
using platform_test::waitUntil;

namespace {

constexpr DWORD kProcessDeadlineMs = 30000;

// Starts the peer through run() and returns what it found in its STARTUPINFO.
std::string startupSeenBy(ShowCommand show, const TempFolder& folder, const std::string& name) {
    std::string report = folder / name;
    std::string line =
        narrow(platform_test::quoted(platform_test::peerPath())) + " startup \"" + report + "\"";
    if (!Win32Shell().run(line, show)) return "run failed";
    Win32Files files;
    if (!waitUntil([&] { return files.fileExists(report); }, kProcessDeadlineMs))
        return "no report";
    // The peer may still be writing: wait for the whole line.
    std::string text;
    waitUntil(
        [&] {
            text = files.readFile(report).value_or("");
            return text.find(" show=") != std::string::npos;
        },
        5000);
    return text;
}

TEST(Win32Shell, RunStartsTheProgramWithTheGivenShowState) {
    TempFolder folder(L"启动测试");
    std::string flags = "flags=" + std::to_string(STARTF_USESHOWWINDOW);
    EXPECT_EQ(startupSeenBy(ShowCommand::Hide, folder, "隐藏.txt"), flags + " show=0");
    EXPECT_EQ(startupSeenBy(ShowCommand::Maximized, folder, "最大化.txt"), flags + " show=3");
    EXPECT_EQ(startupSeenBy(ShowCommand::MinNoActive, folder, "最小化.txt"), flags + " show=7");
}

TEST(Win32Shell, RunReportsAProgramThatCannotStart) {
    Win32Shell shell;
    EXPECT_FALSE(shell.run("", ShowCommand::Normal));
    EXPECT_FALSE(shell.run("C:\\no\\such\\folder\\program.exe", ShowCommand::Normal));
    EXPECT_FALSE(shell.run("\"C:\\不存在\\程序.exe\" /x", ShowCommand::Normal));
}

// A window of this thread that counts the messages it is given.
struct CountingWindow {
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_APP) ++count;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    CountingWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VeilorPumpTest";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    }
    ~CountingWindow() { DestroyWindow(hwnd); }
    HWND hwnd;
    static inline int count = 0;
};

TEST(Win32Shell, PumpDispatchesWhatIsWaitingAndLeavesQuitForTheMainLoop) {
    CountingWindow window;
    ASSERT_NE(window.hwnd, nullptr);
    platform_test::pump();
    CountingWindow::count = 0;
    for (int i = 0; i < 3; ++i)
        PostMessageW(window.hwnd, WM_APP, 0, 0);
    Win32Shell shell;
    shell.pumpMessages();
    EXPECT_EQ(CountingWindow::count, 3);
    shell.pumpMessages();  // nothing waiting: returns at once
    EXPECT_EQ(CountingWindow::count, 3);

    PostQuitMessage(7);
    shell.pumpMessages();
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "the quit request was swallowed";
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(Win32Shell, EndProcessEndsWithTheGivenCode) {
    PeerProcess peer(L"end 42");
    ASSERT_TRUE(peer.started());
    EXPECT_EQ(peer.waitExit(kProcessDeadlineMs), std::optional<DWORD>(42));
}

}  // namespace
