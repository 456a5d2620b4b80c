// Shared pieces of the tests of the main window's parts on the real system: asking the
// shell about an icon, and acting on a modal window (menu, message box) from inside its
// own loop.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "support/driver.h"

namespace app_parts_test {

// Whether the shell holds an icon for (window, id): only an existing icon can be modified.
inline bool shellHasIcon(HWND window, UINT id) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = window;
    nid.uID = id;
    nid.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

// Takes an icon away behind its owner's back, as a dying shell does.
inline void shellForgetIcon(HWND window, UINT id) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = window;
    nid.uID = id;
    Shell_NotifyIconW(NIM_DELETE, &nid);
}

// How long a modal window stays open before it is closed: 0, or the milliseconds in
// VEILOR_HOLD_MS, so a person can take a screenshot of it.
inline DWORD holdMs() {
    wchar_t value[32] = {};
    if (!GetEnvironmentVariableW(L"VEILOR_HOLD_MS", value, 32)) return 0;
    return static_cast<DWORD>(_wtoi(value));
}

// Runs `act` on this thread from the modal loop that the next call starts (a menu or a
// message box dispatches thread timers), every 50 ms until it returns true or the
// deadline passes. Destroying it stops the timer.
class ModalWatcher {
  public:
    explicit ModalWatcher(std::function<bool()> act, DWORD deadlineMs = wine_test::kDeadlineMs)
        : act_(std::move(act)), deadline_(GetTickCount64() + deadlineMs) {
        current() = this;
        timer_ = SetTimer(nullptr, 0, 50, &ModalWatcher::tick);
    }
    ~ModalWatcher() {
        KillTimer(nullptr, timer_);
        current() = nullptr;
    }
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;
    bool done() const { return done_; }

  private:
    static ModalWatcher*& current() {
        static ModalWatcher* watcher = nullptr;
        return watcher;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalWatcher* self = current();
        if (!self || self->done_) return;
        if (GetTickCount64() >= self->deadline_) {
            self->done_ = true;  // gives up; the test's checks say what was missing
            return;
        }
        self->done_ = self->act_();
    }
    std::function<bool()> act_;
    ULONGLONG deadline_;
    UINT_PTR timer_ = 0;
    bool done_ = false;
};

// This process's visible top-level window of that class (and title, unless empty).
inline HWND ownWindow(const std::wstring& className, const std::wstring& title = L"") {
    return wine_test::findTopWindow({className, title, GetCurrentProcessId(), true});
}

// Keeps a modal window open for holdMs() from the first time it is seen, without
// blocking its loop, so it stays painted for a screenshot.
class Hold {
  public:
    bool over() {
        ULONGLONG now = GetTickCount64();
        if (!seen_) seen_ = now;
        return now - seen_ >= holdMs();
    }

  private:
    ULONGLONG seen_ = 0;
};

}  // namespace app_parts_test
