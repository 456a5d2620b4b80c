#include "platform/win32/win32_window_events.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace platform::win32 {
namespace {

// One program, one set of hooks: the procedure has no argument to find its owner by.
Win32WindowEvents* gOwner = nullptr;

// The news comes after the fact: a window that has gone since cannot say where it sat,
// and counts. Any other must be a top-level window, or the change is in some program's
// controls.
bool mayMatter(HWND window) {
    return !IsWindow(window) || GetAncestor(window, GA_PARENT) == GetDesktopWindow();
}

void CALLBACK onWinEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                         DWORD) noexcept {
    if (object != OBJID_WINDOW || child != CHILDID_SELF || !window || !gOwner) return;
    if (!mayMatter(window)) return;
    try {
        gOwner->tell();
    } catch (...) {
        // Nothing may cross back into the system; the next event tries again.
    }
}

// Wine (8 at least) raises the creation event only: a window that closes goes untold.
bool onlyCreationTold() {
    static const bool wine =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

BOOL CALLBACK collectWindow(HWND window, LPARAM out) noexcept {
    reinterpret_cast<std::vector<void*>*>(out)->push_back(window);
    return TRUE;
}

// Wine's own list call gives the whole set in one request to its server; EnumWindows
// asks the server once more for every window, ten times the cost, at every look.
using BuildHwndList = LONG(WINAPI*)(HDESK, ULONG, ULONG, ULONG, ULONG, ULONG, HWND*, ULONG*);

bool listInOneCall(std::vector<void*>& windows) {
    static const auto build = reinterpret_cast<BuildHwndList>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"win32u.dll"), "NtUserBuildHwndList")));
    if (!build) return false;
    std::vector<HWND> buffer(1024);
    for (int attempt = 0; attempt < 3; ++attempt) {
        ULONG size = 0;
        const LONG status =
            build(nullptr, 0, 0, 0, 0, static_cast<ULONG>(buffer.size()), buffer.data(), &size);
        if (status == 0 && size <= buffer.size()) {
            windows.assign(buffer.begin(), buffer.begin() + size);
            return true;
        }
        buffer.resize(std::max<std::size_t>(size, buffer.size() * 2));
    }
    return false;
}

std::vector<void*> currentWindowSet() {
    std::vector<void*> windows;
    if (!listInOneCall(windows)) EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    std::sort(windows.begin(), windows.end());  // z-order changes are no news
    return windows;
}

}  // namespace

Win32WindowEvents::~Win32WindowEvents() {
    uninstall();
}

int Win32WindowEvents::subscribe(Listener listener) {
    if (!listener) return 0;
    if (listeners_.empty()) install();
    if (!hooks_[0]) return 0;
    listeners_[++nextToken_] = std::move(listener);
    return nextToken_;
}

void Win32WindowEvents::unsubscribe(int token) {
    if (listeners_.erase(token) && listeners_.empty()) uninstall();
}

bool Win32WindowEvents::tellsEveryChange() {
    return !onlyCreationTold();
}

bool Win32WindowEvents::windowSetChanged() {
    std::vector<void*> now = currentWindowSet();
    if (now == windowSet_) return false;
    windowSet_ = std::move(now);
    return true;
}

void Win32WindowEvents::tell() {
    // A listener may unsubscribe, or subscribe another, while it runs.
    std::vector<Listener> now;
    for (const auto& [token, listener] : listeners_)
        now.push_back(listener);
    for (const Listener& listener : now)
        listener();
}

void Win32WindowEvents::install() {
    if (gOwner && gOwner != this) return;
    const DWORD flags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
    // Created, destroyed, shown and hidden are neighbours; a new title stands apart.
    hooks_[0] =
        SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_HIDE, nullptr, onWinEvent, 0, 0, flags);
    hooks_[1] = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                onWinEvent, 0, 0, flags);
    if (!hooks_[0] || !hooks_[1]) {
        uninstall();
        return;
    }
    gOwner = this;
}

void Win32WindowEvents::uninstall() {
    for (void*& hook : hooks_) {
        if (hook) UnhookWinEvent(static_cast<HWINEVENTHOOK>(hook));
        hook = nullptr;
    }
    if (gOwner == this) gOwner = nullptr;
}

}  // namespace platform::win32
