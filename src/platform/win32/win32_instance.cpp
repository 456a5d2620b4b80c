#include "platform/win32/win32_instance.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/wide.h"

namespace platform::win32 {
namespace {

// Marks a WM_COPYDATA as ours, so a stray message from another program is refused.
constexpr ULONG_PTR kCommandTag = 0x566C7231;  // "Vlr1"
// A command is a short word; anything larger is not from a copy of this program.
constexpr DWORD kMaxCommandBytes = 4096;
constexpr UINT kDeliverMessage = WM_APP + 1;
constexpr DWORD kFindPollMs = 20;

HWND findListener(const std::wstring& className) {
    return FindWindowExW(HWND_MESSAGE, nullptr, className.c_str(), nullptr);
}

// Polls until the first copy's window exists or the time is up.
HWND waitForListener(const std::wstring& className, DWORD start, DWORD timeoutMs) {
    for (;;) {
        if (HWND hwnd = findListener(className)) return hwnd;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return nullptr;
        Sleep(std::min(kFindPollMs, timeoutMs - elapsed));
    }
}

}  // namespace

struct Win32SingleInstance::Proc {
    static LRESULT CALLBACK window(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
        if (msg == WM_NCCREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        }
        auto* self = reinterpret_cast<Win32SingleInstance*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && msg == WM_COPYDATA) return copyData(self, hwnd, lp);
        if (self && msg == kDeliverMessage) {
            self->deliverPending();
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }

    // Answers the sender at once and runs the handler later from the message loop, so
    // a handler that takes its time never makes the sender give up.
    static LRESULT copyData(Win32SingleInstance* self, HWND hwnd, LPARAM lp) noexcept {
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (!cds || cds->dwData != kCommandTag || cds->cbData > kMaxCommandBytes) return FALSE;
        if (cds->cbData > 0 && !cds->lpData) return FALSE;
        try {
            self->received(std::string(static_cast<const char*>(cds->lpData), cds->cbData));
        } catch (...) {
            return FALSE;
        }
        PostMessageW(hwnd, kDeliverMessage, 0, 0);
        return TRUE;
    }
};

Win32SingleInstance::Win32SingleInstance(const std::string& name)
    : mutexName_(L"Local\\" + wide(name) + L".Instance"), className_(wide(name) + L".Instance") {}

Win32SingleInstance::~Win32SingleInstance() {
    if (window_) DestroyWindow(static_cast<HWND>(window_));
    if (classRegistered_) UnregisterClassW(className_.c_str(), GetModuleHandleW(nullptr));
    if (mutex_) CloseHandle(mutex_);
}

bool Win32SingleInstance::claim() {
    if (mutex_) return true;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, mutexName_.c_str());
    // Access denied also means another copy made it first (under other rights).
    if (!mutex) return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    mutex_ = mutex;
    return true;
}

bool Win32SingleInstance::sendToRunning(const std::string& command, int timeoutMs) {
    if (command.size() > kMaxCommandBytes) return false;
    DWORD start = GetTickCount();
    DWORD limit = static_cast<DWORD>(std::max(timeoutMs, 0));
    HWND target = waitForListener(className_, start, limit);
    if (!target) return false;
    // The first copy is about to bring its window forward; the system lets it only
    // when the process in front (this one) allows it.
    DWORD pid = 0;
    GetWindowThreadProcessId(target, &pid);
    AllowSetForegroundWindow(pid ? pid : ASFW_ANY);
    COPYDATASTRUCT cds{kCommandTag, static_cast<DWORD>(command.size()),
                       const_cast<char*>(command.data())};
    DWORD elapsed = GetTickCount() - start;
    UINT remaining = elapsed < limit ? limit - elapsed : 1;
    DWORD_PTR answer = FALSE;
    LRESULT sent = SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds),
                                       SMTO_ABORTIFHUNG | SMTO_BLOCK, remaining, &answer);
    return sent != 0 && answer == TRUE;
}

void Win32SingleInstance::listen(std::function<void(const std::string&)> handler) {
    if (!mutex_) return;  // only the first copy listens
    handler_ = std::move(handler);
    if (window_) return;
    HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc::window;
    wc.hInstance = module;
    wc.lpszClassName = className_.c_str();
    if (RegisterClassExW(&wc)) {
        classRegistered_ = true;
    } else if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return;
    }
    // A message-only window: found by FindWindowEx under HWND_MESSAGE, never listed
    // among the desktop's windows, never shown.
    window_ = CreateWindowExW(0, className_.c_str(), nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              module, this);
}

void Win32SingleInstance::received(std::string command) {
    pending_.push_back(std::move(command));
}

void Win32SingleInstance::deliverPending() {
    while (!pending_.empty()) {
        std::string command = std::move(pending_.front());
        pending_.pop_front();
        if (!handler_) continue;
        try {
            handler_(command);
        } catch (...) {
            // The handler's failure must not cross the window procedure.
        }
    }
}

}  // namespace platform::win32
