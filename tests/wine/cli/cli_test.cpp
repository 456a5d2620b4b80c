// The real Veilor.exe started with switches against a peer program's windows and a fake
// shell's icons: what a script gets back (exit code, the line it reads), how soon, and
// what the running Veilor did.
#include <windows.h>

#include "hide_all/desktop_scene.h"
#include "support/driver.h"

namespace {

using namespace wine_test;
using scene::DesktopScene;

// A second start ends within this, whatever the running copy does.
constexpr DWORD kSecondStartMs = 3000;

struct Outcome {
    DWORD exitCode = 99;
    std::string output;  // what it wrote to the pipe it was given as its output
    DWORD tookMs = 0;
    std::string windowSeen;  // the first window of its own it showed, if any
    bool mainWindowSeen = false;
};

std::string drain(HANDLE pipe) {
    std::string text;
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        std::string chunk(available, '\0');
        DWORD read = 0;
        if (!ReadFile(pipe, chunk.data(), available, &read, nullptr) || read == 0) break;
        text.append(chunk, 0, read);
    }
    return text;
}

// A pipe for the program's output, as a script that reads it sets one up.
class OutputPipe {
  public:
    OutputPipe() {
        SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
        CreatePipe(&read_, &write_, &sa, 65536);
        SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0);
    }
    ~OutputPipe() {
        if (read_) CloseHandle(read_);
        closeWrite();
    }
    OutputPipe(const OutputPipe&) = delete;
    OutputPipe& operator=(const OutputPipe&) = delete;
    HANDLE read() const { return read_; }
    HANDLE write() const { return write_; }
    void closeWrite() {
        if (write_) CloseHandle(write_);
        write_ = nullptr;
    }

  private:
    HANDLE read_ = nullptr;
    HANDLE write_ = nullptr;
};

// A Veilor that a switch started and that goes on running: ended with the test whatever
// happens, so that no later test finds it.
struct StaysRunning {
    HANDLE process = nullptr;
    ~StaysRunning() {
        if (!process) return;
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
        }
        CloseHandle(process);
    }
};

// Starts Veilor.exe with the arguments and its output on a pipe, and polls (watching for
// windows of its own) until it has ended, or, with `stays`, until it has written a line
// and goes on running.
Outcome runVeilor(const std::wstring& args, StaysRunning* stays = nullptr) {
    OutputPipe pipe;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = pipe.write();
    si.hStdError = pipe.write();
    std::wstring line = L"\"" + veilorExe() + L"\" " + args;
    PROCESS_INFORMATION pi{};
    Outcome outcome;
    const DWORD start = GetTickCount();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                        &pi)) {
        ADD_FAILURE() << "CreateProcess failed: " << GetLastError();
        return outcome;
    }
    pipe.closeWrite();
    CloseHandle(pi.hThread);
    auto watch = [&] {
        HWND own = findTopWindow({L"", L"", pi.dwProcessId, true});
        if (own && outcome.windowSeen.empty()) outcome.windowSeen = describeWindow(own);
        if (findTopWindow({L"VeilorForm", L"Veilor", pi.dwProcessId, true}))
            outcome.mainWindowSeen = true;
        outcome.output += drain(pipe.read());
        if (stays) return outcome.output.find('\n') != std::string::npos;
        return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
    };
    EXPECT_TRUE(pollUntil(watch, kDeadlineMs, "Veilor.exe " + toUtf8(args) + " to finish"));
    outcome.tookMs = GetTickCount() - start;
    GetExitCodeProcess(pi.hProcess, &outcome.exitCode);
    outcome.output += drain(pipe.read());
    if (stays) {
        stays->process = pi.hProcess;
    } else {
        CloseHandle(pi.hProcess);
    }
    return outcome;
}

std::string described(const Outcome& got) {
    return concat("exit code ", got.exitCode, ", output \"", got.output, "\", took ", got.tookMs,
                  " ms, window shown: ", got.windowSeen.empty() ? "none" : got.windowSeen);
}

bool quietAndInTime(const Outcome& got) {
    return got.tookMs < kSecondStartMs && got.windowSeen.empty();
}

// A second start: ends in time with this code and line, and shows no window of its own.
::testing::AssertionResult answered(const Outcome& got, DWORD code, const std::string& line) {
    if (got.exitCode == code && got.output == line + "\r\n" && quietAndInTime(got))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << described(got) << "; expected exit code " << code << " and \"" << line << "\"";
}

// A command taken: done and counted, or still being done when the second start stops
// waiting, as when the desktop keeps Veilor busy (the effect is checked on the desktop).
::testing::AssertionResult taken(const Outcome& got, const std::string& doneLine,
                                 const std::string& busyLine) {
    const bool line = got.output == doneLine + "\r\n" || got.output == busyLine + "\r\n";
    if (got.exitCode == 0 && line && quietAndInTime(got)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << described(got) << "; expected exit code 0 and \""
                                         << doneLine << "\" or \"" << busyLine << "\"";
}

::testing::AssertionResult taken(const Outcome& got, const char* word,
                                 const std::string& doneLine) {
    return taken(got, doneLine, std::string(word) + ": handed over; Veilor is still at it");
}

::testing::AssertionResult ended(const Outcome& got, const std::string& what) {
    return taken(got, "ended; restored: " + what, "still ending; restoring: " + what);
}

// Veilor has done what it was at: its window's thread takes messages again.
::testing::AssertionResult idle(HWND veilorWindow) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(veilorWindow, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &result))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "Veilor did not get back to its messages";
}

TEST(CommandLine, ScriptDrivesTheRunningVeilorThroughEverySwitch) {
    DesktopScene desk;
    ASSERT_NO_FATAL_FAILURE(desk.prepare(scene::defaultConfig("0")));  // 0: exit asks
    EXPECT_TRUE(answered(runVeilor(L"/status"), 2, "Veilor is not running"));
    ASSERT_NO_FATAL_FAILURE(desk.startVeilor());
    EXPECT_TRUE(answered(runVeilor(L"/status"), 0, "nothing hidden"));

    EXPECT_TRUE(taken(runVeilor(L"/hide"), "hide", "hidden: 5 windows, 20 icons"));
    EXPECT_TRUE(desk.peersHidden());
    EXPECT_TRUE(desk.hiddenIcons(DesktopScene::kIcons));
    ASSERT_TRUE(idle(desk.main()));
    EXPECT_TRUE(answered(runVeilor(L"-STATUS"), 1, "hidden: 5 windows, 20 icons"));

    Outcome unknown = runVeilor(L"/hyde");
    EXPECT_EQ(unknown.exitCode, 3u);
    EXPECT_EQ(unknown.output.rfind("unknown switch: /hyde\r\nusage: Veilor.exe", 0), 0u)
        << unknown.output;
    EXPECT_TRUE(quietAndInTime(unknown)) << described(unknown);
    EXPECT_TRUE(desk.peersHidden()) << "an unknown switch changes nothing";
    EXPECT_TRUE(desk.hiddenIcons(DesktopScene::kIcons));
    EXPECT_FALSE(IsWindowVisible(desk.main()));

    EXPECT_TRUE(taken(runVeilor(L"/Restore"), "restore", "restored: 5 windows, 20 icons"));
    EXPECT_TRUE(desk.peersShown());
    EXPECT_TRUE(desk.hiddenIcons(0));
    ASSERT_TRUE(idle(desk.main()));
    EXPECT_TRUE(answered(runVeilor(L"/status"), 0, "nothing hidden"));

    EXPECT_TRUE(taken(runVeilor(L"/toggle"), "toggle", "hidden: 5 windows, 20 icons"));
    EXPECT_TRUE(desk.peersHidden());
    EXPECT_TRUE(desk.hiddenIcons(DesktopScene::kIcons));
    ASSERT_TRUE(idle(desk.main()));
    EXPECT_TRUE(taken(runVeilor(L"-toggle"), "toggle", "restored: 5 windows, 20 icons"));
    EXPECT_TRUE(desk.peersShown());
    EXPECT_TRUE(desk.hiddenIcons(0));
    ASSERT_TRUE(idle(desk.main()));

    EXPECT_TRUE(taken(runVeilor(L"/hide"), "hide", "hidden: 5 windows, 20 icons"));
    EXPECT_TRUE(desk.peersHidden());
    ASSERT_TRUE(idle(desk.main()));
    EXPECT_TRUE(ended(runVeilor(L"/exit"), "5 windows, 20 icons"));
    EXPECT_TRUE(desk.veilor().waitExit(kSecondStartMs)) << "no question held the exit";
    EXPECT_TRUE(desk.peersShown());
    EXPECT_TRUE(desk.hiddenIcons(0));
    EXPECT_TRUE(answered(runVeilor(L"/exit"), 2, "Veilor is not running"));
}

TEST(CommandLine, HideWithNoVeilorRunningStartsOneInTheNotificationArea) {
    DesktopScene desk;
    ASSERT_NO_FATAL_FAILURE(desk.prepare(scene::defaultConfig()));
    StaysRunning first;
    Outcome started = runVeilor(L"-hide", &first);
    EXPECT_EQ(started.output, "hidden: 5 windows, 20 icons\r\n");
    EXPECT_EQ(started.exitCode, STILL_ACTIVE) << "it stays, in the notification area";
    EXPECT_TRUE(desk.peersHidden());
    EXPECT_TRUE(desk.hiddenIcons(DesktopScene::kIcons));
    EXPECT_FALSE(started.mainWindowSeen) << "the main window showed";
    EXPECT_EQ(findTopWindow({L"VeilorForm", L"Veilor", 0, true}), nullptr) << describeTopWindows();
    EXPECT_NE(findTopWindow({L"VeilorForm", scene::kOneKeyWidget, 0, true}), nullptr)
        << "the way back is up, as after Alt+A";

    HWND main = findTopWindow({L"VeilorForm", L"Veilor", GetProcessId(first.process), false});
    ASSERT_NE(main, nullptr) << describeTopWindows();
    ASSERT_TRUE(idle(main));
    EXPECT_TRUE(answered(runVeilor(L"/status"), 1, "hidden: 5 windows, 20 icons"));
    EXPECT_TRUE(ended(runVeilor(L"/exit"), "5 windows, 20 icons"));
    EXPECT_TRUE(waitForProcessExit(first.process, kSecondStartMs));
    EXPECT_TRUE(desk.peersShown());
    EXPECT_TRUE(desk.hiddenIcons(0));
}

}  // namespace
