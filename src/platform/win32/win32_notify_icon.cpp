#include "platform/win32/win32_notify_icon.h"

#include <algorithm>

#include "platform/win32/wide.h"

namespace platform::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"VeilorNotifyIconWindow";

ATOM registerWindowClass(WNDPROC proc) {
    static ATOM atom = 0;
    if (atom) return atom;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    atom = RegisterClassExW(&wc);
    return atom;
}

// The tip as the shell's buffer holds it: a cut never splits a surrogate pair.
std::wstring boundTip(const std::string& tip) {
    constexpr size_t kMaxUnits = sizeof(NOTIFYICONDATAW::szTip) / sizeof(wchar_t) - 1;
    std::wstring text = wide(tip);
    if (text.size() <= kMaxUnits) return text;
    size_t cut = kMaxUnits;
    if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
    return text.substr(0, cut);
}

}  // namespace

HICON loadProgramIcon(bool small) {
    int cx = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    int cy = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId),
                             IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR | LR_SHARED);
    if (icon) return static_cast<HICON>(icon);
    return LoadIconW(nullptr, IDI_APPLICATION);
}

Win32NotifyIcon::Win32NotifyIcon() : icon_(loadProgramIcon(true)) {
    // Broadcast to every top-level window when a shell starts; a message-only window
    // would never hear it.
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    if (!registerWindowClass(&Win32NotifyIcon::windowProc)) return;
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) return;
    // An elevated copy (it may write to HKLM) would otherwise never hear the shell of
    // the user's ordinary session.
    if (taskbarCreated_) ChangeWindowMessageFilterEx(hwnd_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
    ChangeWindowMessageFilterEx(hwnd_, kNotifyIconCallback, MSGFLT_ALLOW, nullptr);
}

Win32NotifyIcon::~Win32NotifyIcon() {
    remove();
    handler_ = nullptr;
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

NOTIFYICONDATAW Win32NotifyIcon::data(UINT flags) const {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = hwnd_;
    nid.uID = kIconId;
    nid.uFlags = flags;
    nid.uCallbackMessage = kNotifyIconCallback;
    nid.hIcon = icon_;
    std::copy(tip_.begin(), tip_.end(), nid.szTip);
    return nid;
}

bool Win32NotifyIcon::shellAdd() {
    if (!hwnd_) return false;
    NOTIFYICONDATAW nid = data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if (Shell_NotifyIconW(NIM_ADD, &nid)) return true;
    // A busy shell can time out and still have taken the icon; then it answers a modify.
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

bool Win32NotifyIcon::add(const std::string& tip) {
    if (present_) return setTip(tip);
    tip_ = boundTip(tip);
    present_ = true;
    return shellAdd();
}

bool Win32NotifyIcon::setTip(const std::string& tip) {
    tip_ = boundTip(tip);
    if (!present_ || !hwnd_) return false;
    NOTIFYICONDATAW nid = data(NIF_TIP);
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

bool Win32NotifyIcon::remove() {
    if (!present_) return false;
    present_ = false;
    if (!hwnd_) return false;
    NOTIFYICONDATAW nid = data(0);
    return Shell_NotifyIconW(NIM_DELETE, &nid) != FALSE;
}

void Win32NotifyIcon::runHandler(int mouseMessage) noexcept {
    // A copy: the handler may remove the icon or replace itself while it runs.
    try {
        MouseHandler handler = handler_;
        if (handler) handler(mouseMessage);
    } catch (...) {
        // Nothing may unwind into the system's dispatcher; the click is simply lost.
    }
}

LRESULT Win32NotifyIcon::handle(UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == kNotifyIconCallback) {
        // Without NOTIFYICON_VERSION set, lParam is the mouse message itself.
        if (present_) runHandler(static_cast<int>(LOWORD(lp)));
        return 0;
    }
    if (taskbarCreated_ && msg == taskbarCreated_) {
        // A new shell knows no icons; without ours the user has no way back.
        if (present_) shellAdd();
        return 0;
    }
    // The window lives as long as this object; nobody else may close it.
    if (msg == WM_CLOSE) return 0;
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Win32NotifyIcon::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32NotifyIcon*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || self->hwnd_ != hwnd) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->handle(msg, wp, lp);
}

}  // namespace platform::win32
