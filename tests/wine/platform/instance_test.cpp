#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_instance.h"
#include "platform_test_support.h"
#include "peer_protocol.h"

using platform::win32::narrow;
using platform::win32::Win32SingleInstance;
using platform_test::PeerProcess;
using platform_test::waitUntil;

namespace {

constexpr DWORD kProcessDeadlineMs = 30000;

std::wstring instanceArgs(const std::wstring& name, const wchar_t* command, int timeoutMs) {
    return L"instance " + platform_test::quoted(name) + L" " + command + L" " +
           std::to_wstring(timeoutMs);
}

HWND listenerOf(const std::wstring& name) {
    return FindWindowExW(HWND_MESSAGE, nullptr, (name + L".Instance").c_str(), nullptr);
}

TEST(Win32SingleInstance, LaterCopyInAnotherProcessDeliversShowToTheFirst) {
    std::wstring name = platform_test::uniqueName(L"VeilorTest");
    Win32SingleInstance first(narrow(name));
    ASSERT_TRUE(first.claim());
    EXPECT_TRUE(first.claim()) << "claiming again keeps the claim";
    std::vector<std::string> received;
    first.listen([&](const std::string& command) {
        received.push_back(command);
        return std::string();
    });

    PeerProcess later(instanceArgs(name, L"Show", 10000));
    ASSERT_TRUE(later.started());
    std::optional<DWORD> code = later.waitExit(kProcessDeadlineMs);
    ASSERT_TRUE(code.has_value());
    EXPECT_GE(*code, peer::kDelivered);
    EXPECT_LT(*code, peer::kNotDelivered) << "exit code " << *code;
    waitUntil([&] { return !received.empty(); }, 2000);
    EXPECT_EQ(received, std::vector<std::string>{"Show"});
}

TEST(Win32SingleInstance, ListenerIsHiddenFromTheDesktopAndRefusesStrangers) {
    std::wstring name = platform_test::uniqueName(L"VeilorTest");
    Win32SingleInstance first(narrow(name));
    ASSERT_TRUE(first.claim());
    int calls = 0;
    first.listen([&](const std::string&) {
        ++calls;
        return std::string();
    });
    HWND listener = listenerOf(name);
    ASSERT_NE(listener, nullptr);
    std::vector<platform::WindowHandle> all = platform::win32::Win32Desktop().topLevelWindows();
    EXPECT_EQ(std::find(all.begin(), all.end(), reinterpret_cast<platform::WindowHandle>(listener)),
              all.end())
        << "not among the desktop's top-level windows";

    char bytes[] = "Show";
    COPYDATASTRUCT foreign{12345, 4, bytes};
    DWORD_PTR answer = 99;
    SendMessageTimeoutW(listener, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&foreign), SMTO_BLOCK,
                        2000, &answer);
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(FALSE));
    platform_test::pump();
    EXPECT_EQ(calls, 0);
}

TEST(Win32SingleInstance, OnlyTheFirstCopyListens) {
    std::wstring name = platform_test::uniqueName(L"VeilorTest");
    Win32SingleInstance first(narrow(name));
    Win32SingleInstance second(narrow(name));
    ASSERT_TRUE(first.claim());
    EXPECT_FALSE(second.claim());
    second.listen([](const std::string&) { return std::string(); });
    EXPECT_EQ(listenerOf(name), nullptr);
}

TEST(Win32SingleInstance, SenderWaitsForAFirstCopyThatIsStillStarting) {
    std::wstring name = platform_test::uniqueName(L"VeilorTest");
    Win32SingleInstance first(narrow(name));
    ASSERT_TRUE(first.claim());
    bool delivered = false;
    DWORD took = 0;
    std::thread later([&] {
        Win32SingleInstance copy(narrow(name));
        DWORD start = GetTickCount();
        delivered = copy.sendToRunning("Show", 10000);
        took = GetTickCount() - start;
    });
    Sleep(400);  // the first copy is busy starting and has no listener yet
    std::vector<std::string> received;
    first.listen([&](const std::string& command) {
        received.push_back(command);
        return std::string();
    });
    waitUntil([&] { return !received.empty(); }, 10000);
    later.join();
    EXPECT_TRUE(delivered);
    EXPECT_GE(took, 300u);
    EXPECT_EQ(received, std::vector<std::string>{"Show"});
}

TEST(Win32SingleInstance, NobodyListeningMeansFalseOnceTheTimeIsUp) {
    Win32SingleInstance copy(narrow(platform_test::uniqueName(L"VeilorTest")));
    DWORD start = GetTickCount();
    EXPECT_FALSE(copy.sendToRunning("Show", 300));
    DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 250u);
    EXPECT_LT(took, 2000u);
}

TEST(Win32SingleInstance, HungFirstCopyMakesTheSenderGiveUpInTime) {
    std::wstring name = platform_test::uniqueName(L"VeilorTest");
    Win32SingleInstance first(narrow(name));
    ASSERT_TRUE(first.claim());
    int calls = 0;
    first.listen([&](const std::string&) {
        ++calls;
        return std::string();
    });
    PeerProcess later(instanceArgs(name, L"Show", 500));
    // Not pumping: this thread is the first copy, and it does not answer.
    std::optional<DWORD> code = later.waitExit(kProcessDeadlineMs, false);
    ASSERT_TRUE(code.has_value());
    ASSERT_GE(*code, peer::kNotDelivered) << "exit code " << *code;
    ASSERT_LT(*code, peer::kWasFirst) << "exit code " << *code;
    DWORD took = *code - peer::kNotDelivered;
    EXPECT_GE(took, 400u);
    EXPECT_LT(took, 1500u);
    // The system withdraws a message nobody took in time: no stale "Show" arrives later.
    platform_test::pump();
    EXPECT_EQ(calls, 0);
}

TEST(Win32SingleInstance, AskingCopyGetsTheAnswerOfTheHandler) {
    std::wstring name = platform_test::uniqueName(L"VeilorTest");
    Win32SingleInstance first(narrow(name));
    ASSERT_TRUE(first.claim());
    first.listen([](const std::string& command) { return "answer to " + command; });
    platform::Asked answer;
    std::atomic<bool> done = false;
    std::thread later([&] {
        Win32SingleInstance copy(narrow(name));
        answer = copy.askRunning("status", 10000);
        done = true;
    });
    waitUntil([&] { return done.load(); }, 10000);  // this thread is the first copy: it pumps
    later.join();
    EXPECT_TRUE(answer.delivered);
    EXPECT_EQ(answer.answer, std::optional<std::string>("answer to status"));
}

TEST(Win32SingleInstance, AnAnswerThatTakesTooLongIsNotWaitedFor) {
    std::wstring name = platform_test::uniqueName(L"VeilorTest");
    Win32SingleInstance first(narrow(name));
    ASSERT_TRUE(first.claim());
    first.listen([](const std::string&) {
        Sleep(1500);  // a handler busy for longer than the asking copy waits
        return std::string("late");
    });
    platform::Asked answer{false, "none yet"};
    DWORD took = 0;
    std::atomic<bool> done = false;
    std::thread later([&] {
        Win32SingleInstance copy(narrow(name));
        DWORD start = GetTickCount();
        answer = copy.askRunning("hide", 500);
        took = GetTickCount() - start;
        done = true;
    });
    waitUntil([&] { return done.load(); }, 10000);
    later.join();
    EXPECT_TRUE(answer.delivered) << "the first copy took the command";
    EXPECT_EQ(answer.answer, std::nullopt);
    EXPECT_GE(took, 400u);
    EXPECT_LT(took, 1400u);
    DWORD start = GetTickCount();
    platform_test::pump();  // the late answer finds no one and holds this copy up no longer
    EXPECT_LT(GetTickCount() - start, 1000u);
}

}  // namespace
