// Work on worker threads, results on this (the user-interface) thread: handed over by the
// message loop, a message box's own included, and never once abandoned.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "platform/win32/win32_tasks.h"
#include "platform_test_support.h"

using platform::win32::Win32Tasks;
using platform_test::waitUntil;

namespace {

constexpr DWORD kDeadlineMs = 10000;
constexpr wchar_t kBoxTitle[] = L"VeilorTasksTest";

TEST(Win32Tasks, WorkRunsOnAWorker_TheResultComesOnThisThreadThroughTheMessageLoop) {
    Win32Tasks tasks;
    std::atomic<DWORD> worker{0};
    DWORD receiver = 0;
    int result = 0;
    auto task = platform::runTask<int>(
        tasks,
        [&] {
            worker = GetCurrentThreadId();
            return 42;
        },
        [&](int value) {
            receiver = GetCurrentThreadId();
            result = value;
        });
    EXPECT_EQ(result, 0) << "handed over inside run()";
    ASSERT_TRUE(waitUntil([&] { return result != 0; }, kDeadlineMs));
    EXPECT_EQ(result, 42);
    EXPECT_EQ(receiver, GetCurrentThreadId());
    EXPECT_NE(worker.load(), GetCurrentThreadId());
}

VOID CALLBACK closeBox(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND box = FindWindowW(L"#32770", kBoxTitle)) PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

TEST(Win32Tasks, AResultIsHandedOverWhileAMessageBoxWaits) {
    Win32Tasks tasks;
    bool delivered = false;
    auto task = tasks.run([] {},
                          [&] {
                              delivered = true;
                              closeBox(nullptr, 0, 0, 0);
                          });
    // Closes the box in any case, so that a result that never comes fails the test
    // instead of hanging it.
    const UINT_PTR timer = SetTimer(nullptr, 0, kDeadlineMs, closeBox);
    MessageBoxW(nullptr, L"等待", kBoxTitle, MB_OKCANCEL);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(delivered);
}

TEST(Win32Tasks, AnAbandonedResultIsNeverHandedOver_TheOwnerWaitsForItsWorkers) {
    std::atomic<bool> worked{false};
    bool delivered = false;
    {
        Win32Tasks tasks;
        auto task = tasks.run([&] { worked = true; }, [&] { delivered = true; });
        task.reset();
        ASSERT_TRUE(waitUntil([&] { return worked.load(); }, kDeadlineMs));
        // Its message may still be on its way: nothing of it may run.
        waitUntil([] { return false; }, 300);
        EXPECT_FALSE(delivered);

        // Still at work when its owner goes: the owner waits for it.
        worked = false;
        auto last = tasks.run(
            [&] {
                Sleep(200);
                worked = true;
            },
            [&] { delivered = true; });
    }
    EXPECT_TRUE(worked.load()) << "the worker ran to its end before its owner went";
    platform_test::pump();
    EXPECT_FALSE(delivered);
}

}  // namespace
