// The program's entry: the real system, the real windows, and the message loop.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdint>

#include "app/application.h"
#include "platform/win32/win32_console.h"
#include "platform/win32/win32_system.h"
#include "ui/win32/win32_dialogs.h"
#include "ui/win32/skin.h"
#include "ui/win32/win32_forms.h"

namespace {

int runMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Dialog navigation (Tab between controls) for whichever form is active.
        HWND active = GetActiveWindow();
        if (active && IsDialogMessageW(active, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// OLE for the news panel's browser control, for as long as any form can exist.
class OleSession {
  public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

  private:
    bool ok_;
};

// A Veilor about to die brings back what it hid first: nothing else would. Only the user
// interface thread touches the record and the windows; a crash on any other thread (the
// download, the keyboard hook) may have caught it half-way through a change, so there the
// restore is left to the record on disk, which the next start reads.
app::Application* crashingApplication = nullptr;
DWORD interfaceThread = 0;

LONG WINAPI restoreBeforeDying(EXCEPTION_POINTERS*) noexcept {
    static LONG entered = 0;
    if (GetCurrentThreadId() != interfaceThread) return EXCEPTION_CONTINUE_SEARCH;
    if (InterlockedExchange(&entered, 1) == 0 && crashingApplication) {
        try {
            crashingApplication->frmain().restoreRecorded();
        } catch (...) {
            // Dying anyway; the record on disk is still there for the next start.
        }
    }
    return EXCEPTION_CONTINUE_SEARCH;  // the system's own crash handling goes on
}

class CrashRestore {
  public:
    // Made on the user interface thread.
    explicit CrashRestore(app::Application& application) {
        crashingApplication = &application;
        interfaceThread = GetCurrentThreadId();
        previous_ = SetUnhandledExceptionFilter(restoreBeforeDying);
    }
    ~CrashRestore() {
        SetUnhandledExceptionFilter(previous_);
        crashingApplication = nullptr;
    }
    CrashRestore(const CrashRestore&) = delete;
    CrashRestore& operator=(const CrashRestore&) = delete;

  private:
    LPTOP_LEVEL_EXCEPTION_FILTER previous_;
};

// How long this process has existed: a loaded system may take its time to start it, and
// a second start's promise to end soon counts from the moment it was started.
int processAgeMs() {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](const FILETIME& t) {
        return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    if (ticks(now) <= ticks(created)) return 0;
    return static_cast<int>(std::min<std::uint64_t>((ticks(now) - ticks(created)) / 10000, 60000));
}

int startAndRun(app::Application& application) {
    // However late, the running copy gets a moment to answer.
    constexpr int kLeastBudgetMs = 300;
    const int budget =
        std::max(kLeastBudgetMs, app::Application::kCommandBudgetMs - processAgeMs());
    const app::StartResult result =
        application.Main(cli::parseArguments(platform::win32::commandLineArguments()), budget);
    platform::win32::writeToConsole(application.consoleText());
    switch (result) {
        case app::StartResult::HandedOver:
        case app::StartResult::Unreachable:
            return 0;
        case app::StartResult::CommandDone:
            return application.exitCode();
        default:
            return runMessageLoop();
    }
}

int run() {
    OleSession ole;
    INITCOMMONCONTROLSEX icc{sizeof(icc),
                             ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    platform::win32::Win32System system;
    ui::win32::Win32Forms forms;
    ui::win32::Win32Dialogs dialogs(forms.fonts());
    app::Context ctx{system.system(), forms, dialogs, [] { PostQuitMessage(0); }};
    app::Application application(ctx);
    forms.setBackgroundPainter(application.frmain(), ui::win32::skin::paintMainBackground);
    CrashRestore crashRestore(application);
    try {
        return startAndRun(application);
    } catch (...) {
        application.frmain().restoreRecorded();
        throw;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return run();
    } catch (...) {
        // Nothing sensible is left to do; end without a crash dialog.
        return 1;
    }
}
