#include "platform/win32/win32_instance.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "platform/win32/wide.h"

namespace platform::win32 {
namespace {

// Marks a WM_COPYDATA as ours, so a stray message from another program is refused.
constexpr ULONG_PTR kCommandTag = 0x566C7231;  // "Vlr1"
constexpr ULONG_PTR kReplyTag = 0x566C7252;    // "VlrR"
// A command is a short word; anything larger is not from a copy of this program.
constexpr DWORD kMaxCommandBytes = 4096;
constexpr UINT kDeliverMessage = WM_APP + 1;
constexpr DWORD kFindPollMs = 20;
// The asking copy pumps its messages while it waits, so it takes an answer at once; one
// that has gone or hangs must not hold up the first copy's hotkeys for long.
constexpr UINT kAnswerTimeoutMs = 500;

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

std::wstring replyClassOf(const std::wstring& className) {
    return className + L".Reply";
}

std::wstring classOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// The text of a WM_COPYDATA carrying this tag; nullopt for anything else.
std::optional<std::string> copiedText(LPARAM lp, ULONG_PTR tag) {
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    if (!cds || cds->dwData != tag || cds->cbData > kMaxCommandBytes) return std::nullopt;
    if (cds->cbData > 0 && !cds->lpData) return std::nullopt;
    try {
        return std::string(static_cast<const char*>(cds->lpData), cds->cbData);
    } catch (...) {
        return std::nullopt;
    }
}

// Where an asking copy receives its answer: a message-only window that takes one
// answer, from the copy it asked and no other.
struct ReplyBox {
    HWND from = nullptr;
    std::optional<std::string> answer;
};

LRESULT CALLBACK replyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* box = reinterpret_cast<ReplyBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!box || msg != WM_COPYDATA) return DefWindowProcW(hwnd, msg, wp, lp);
    if (box->answer || !box->from || reinterpret_cast<HWND>(wp) != box->from) return FALSE;
    box->answer = copiedText(lp, kReplyTag);
    return box->answer ? TRUE : FALSE;
}

class ReplyWindow {
  public:
    ReplyWindow(const std::wstring& className, ReplyBox& box)
        : className_(className), module_(GetModuleHandleW(nullptr)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = replyProc;
        wc.hInstance = module_;
        wc.lpszClassName = className_.c_str();
        registered_ = RegisterClassExW(&wc) != 0;
        if (!registered_ && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;
        hwnd_ = CreateWindowExW(0, className_.c_str(), nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, module_, &box);
    }
    ~ReplyWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
        if (registered_) UnregisterClassW(className_.c_str(), module_);
    }
    ReplyWindow(const ReplyWindow&) = delete;
    ReplyWindow& operator=(const ReplyWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

  private:
    std::wstring className_;
    HINSTANCE module_;
    bool registered_ = false;
    HWND hwnd_ = nullptr;
};

// Runs this thread's messages until the answer is in or the time is up.
void pumpUntilAnswered(const ReplyBox& box, DWORD start, DWORD limit) {
    while (!box.answer) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= limit) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, limit - elapsed, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop it was meant for
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
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
        if (self && msg == WM_COPYDATA) return copyData(self, hwnd, wp, lp);
        if (self && msg == kDeliverMessage) {
            self->deliverPending();
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }

    // Tells the sender at once that the command arrived and runs the handler later from
    // the message loop, so a handler that takes its time never makes the sender give up.
    static LRESULT copyData(Win32SingleInstance* self, HWND hwnd, WPARAM wp, LPARAM lp) noexcept {
        std::optional<std::string> command = copiedText(lp, kCommandTag);
        if (!command) return FALSE;
        try {
            self->received(std::move(*command), reinterpret_cast<void*>(wp));
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
    if (answeredProcess_) CloseHandle(answeredProcess_);
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

void* Win32SingleInstance::deliver(const std::string& command, void* replyWindow,
                                   unsigned long start, unsigned long limit) {
    if (command.size() > kMaxCommandBytes) return nullptr;
    HWND target = waitForListener(className_, start, limit);
    if (!target) return nullptr;
    // The first copy may bring its window forward; the system lets it only when the
    // process in front (this one) allows it.
    DWORD pid = 0;
    GetWindowThreadProcessId(target, &pid);
    AllowSetForegroundWindow(pid ? pid : ASFW_ANY);
    if (replyWindow) {
        if (answeredProcess_) CloseHandle(answeredProcess_);
        // Opened before asking, so the id cannot name another process by the time it ends.
        answeredProcess_ = pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : nullptr;
    }
    COPYDATASTRUCT cds{kCommandTag, static_cast<DWORD>(command.size()),
                       const_cast<char*>(command.data())};
    DWORD elapsed = GetTickCount() - start;
    UINT remaining = elapsed < limit ? limit - elapsed : 1;
    DWORD_PTR answer = FALSE;
    LRESULT sent = SendMessageTimeoutW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow),
                                       reinterpret_cast<LPARAM>(&cds),
                                       SMTO_ABORTIFHUNG | SMTO_BLOCK, remaining, &answer);
    return sent != 0 && answer == TRUE ? target : nullptr;
}

bool Win32SingleInstance::sendToRunning(const std::string& command, int timeoutMs) {
    return deliver(command, nullptr, GetTickCount(), static_cast<DWORD>(std::max(timeoutMs, 0)));
}

Asked Win32SingleInstance::askRunning(const std::string& command, int timeoutMs) {
    const DWORD start = GetTickCount();
    const DWORD limit = static_cast<DWORD>(std::max(timeoutMs, 0));
    ReplyBox box;
    ReplyWindow window(replyClassOf(className_), box);
    if (!window.hwnd()) return {};
    // The answer may only come from the copy that gets the command.
    box.from = waitForListener(className_, start, limit);
    if (!box.from) return {};
    if (deliver(command, window.hwnd(), start, limit) != box.from) return {};
    pumpUntilAnswered(box, start, limit);
    return {true, box.answer};
}

bool Win32SingleInstance::waitForRunningToEnd(int timeoutMs) {
    if (!answeredProcess_) return false;
    DWORD wait = static_cast<DWORD>(std::max(timeoutMs, 0));
    return WaitForSingleObject(answeredProcess_, wait) == WAIT_OBJECT_0;
}

void Win32SingleInstance::listen(Handler handler) {
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

void Win32SingleInstance::received(std::string command, void* replyTo) {
    pending_.push_back({std::move(command), replyTo});
}

void Win32SingleInstance::deliverPending() {
    while (!pending_.empty()) {
        Pending next = std::move(pending_.front());
        pending_.pop_front();
        if (!handler_) continue;
        std::string reply;
        answering_ = true;
        try {
            reply = handler_(next.command);
            answer(next.replyTo, reply);
        } catch (...) {
            // The handler's failure must not cross the window procedure; the asking copy
            // hears nothing and says so.
        }
        answering_ = false;
        runAfterAnswer();
    }
}

void Win32SingleInstance::afterAnswer(std::function<void()> action) {
    afterAnswer_.push_back(std::move(action));
    if (!answering_) runAfterAnswer();
}

void Win32SingleInstance::runAfterAnswer() {
    std::vector<std::function<void()>> actions;
    actions.swap(afterAnswer_);
    for (auto& action : actions) {
        try {
            action();
        } catch (...) {
            // As the handler's: never across the window procedure.
        }
    }
}

// Only to a window of an asking copy of this program: the sender's handle came from
// outside, and any program can send one.
void Win32SingleInstance::answer(void* replyTo, const std::string& reply) {
    HWND to = static_cast<HWND>(replyTo);
    if (!to || reply.size() > kMaxCommandBytes) return;
    const std::wstring expected = replyClassOf(className_);
    const std::wstring actual = classOf(to);
    if (actual != expected) return;
    COPYDATASTRUCT cds{kReplyTag, static_cast<DWORD>(reply.size()),
                       const_cast<char*>(reply.data())};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(window_),
                        reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                        kAnswerTimeoutMs, &ignored);
}

}  // namespace platform::win32
