#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include <map>

#include "core/text.h"
#include "core/twips.h"
#include "platform/win32/wide.h"

namespace platform::win32 {
namespace {

HWND hwndOf(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

WindowHandle handleOf(HWND hwnd) {
    return reinterpret_cast<WindowHandle>(hwnd);
}

// Empty means "any", which FindWindowExW spells as a null pointer.
const wchar_t* orAny(const std::wstring& s) {
    return s.empty() ? nullptr : s.c_str();
}

BOOL CALLBACK collectWindow(HWND hwnd, LPARAM out) noexcept {
    try {
        reinterpret_cast<std::vector<WindowHandle>*>(out)->push_back(handleOf(hwnd));
        return TRUE;
    } catch (...) {
        return FALSE;  // out of memory: stop with what we have
    }
}

// What to call once a window has answered, by the key its WM_NULL carries.
std::map<ULONG_PTR, std::function<void()>>& pendingAnswers() {
    static std::map<ULONG_PTR, std::function<void()>> pending;
    return pending;
}

void CALLBACK answerArrived(HWND, UINT, ULONG_PTR key, LRESULT) noexcept {
    auto& pending = pendingAnswers();
    auto it = pending.find(key);
    if (it == pending.end()) return;
    std::function<void()> answered = std::move(it->second);
    pending.erase(it);
    try {
        answered();
    } catch (...) {
        // Nothing may cross the system's call: the window is looked at no more.
    }
}

}  // namespace

// FindWindowExW's own title comparison is not the program's one rule, so a top-level
// window is looked up by class through the system and by title here.
WindowHandle Win32Desktop::findWindow(const std::string& className, const std::string& title) {
    if (title.empty()) return findChildWindow(kNoWindow, kNoWindow, className, title);
    std::wstring cls = wide(className);
    for (WindowHandle h : topLevelWindows()) {
        if (!core::sameTitle(windowText(h), title)) continue;
        wchar_t name[256] = {};
        if (className.empty() ||
            (GetClassNameW(hwndOf(h), name, 256) > 0 && lstrcmpiW(name, cls.c_str()) == 0)) {
            return h;
        }
    }
    return kNoWindow;
}

WindowHandle Win32Desktop::findChildWindow(WindowHandle parent, WindowHandle after,
                                           const std::string& className, const std::string& title) {
    std::wstring cls = wide(className);
    std::wstring text = wide(title);
    return handleOf(FindWindowExW(hwndOf(parent), hwndOf(after), orAny(cls), orAny(text)));
}

std::vector<WindowHandle> Win32Desktop::topLevelWindows() {
    std::vector<WindowHandle> out;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&out));
    return out;
}

// The text the system keeps for the window, read without a message to its program: a
// busy or hung program would hold this thread until it answered.
std::string Win32Desktop::windowText(WindowHandle window) {
    HWND hwnd = hwndOf(window);
    if (!hwnd) return std::string();
    std::wstring buffer(256, L'\0');
    for (;;) {
        int n = InternalGetWindowText(hwnd, buffer.data(), static_cast<int>(buffer.size()));
        if (n < static_cast<int>(buffer.size()) - 1 || buffer.size() >= 65536) {
            buffer.resize(n > 0 ? n : 0);
            return narrow(buffer);
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

std::uint32_t Win32Desktop::windowProcessId(WindowHandle window) {
    DWORD pid = 0;
    HWND hwnd = hwndOf(window);
    if (hwnd && IsWindow(hwnd)) GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

bool Win32Desktop::setWindowText(WindowHandle window, const std::string& text) {
    HWND hwnd = hwndOf(window);
    if (!hwnd) return false;
    std::wstring wtext = wide(text);
    DWORD_PTR result = 0;
    LRESULT sent = SendMessageTimeoutW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wtext.c_str()),
                                       SMTO_ABORTIFHUNG, kSetTextTimeoutMs, &result);
    return sent != 0 && result != 0;
}

// A thread handles the messages sent to it in order, so the answer to a WM_NULL sent now
// comes after whatever was sent before, also what timed out on our side.
void Win32Desktop::whenAnswered(WindowHandle window, std::function<void()> answered) {
    static ULONG_PTR lastKey = 0;
    HWND hwnd = hwndOf(window);
    if (!hwnd || !IsWindow(hwnd) || !answered) return;
    const ULONG_PTR key = ++lastKey;
    pendingAnswers()[key] = std::move(answered);
    if (!SendMessageCallbackW(hwnd, WM_NULL, 0, 0, answerArrived, key)) pendingAnswers().erase(key);
}

bool Win32Desktop::showWindow(WindowHandle window, ShowCommand show) {
    HWND hwnd = hwndOf(window);
    // No IsWindow first: the call itself fails for a window that is gone, and asking
    // would cost one more trip to the window server for each of a hide's windows.
    if (!hwnd) return false;
    BOOL started = ShowWindowAsync(hwnd, static_cast<int>(show));
    // For a window of this thread the call runs at once and answers like ShowWindow,
    // with the previous visibility rather than success.
    return started || GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId();
}

bool Win32Desktop::setWindowPos(WindowHandle window, int x, int y, int cx, int cy,
                                std::uint32_t flags) {
    HWND hwnd = hwndOf(window);
    if (!hwnd || !IsWindow(hwnd)) return false;
    UINT how = flags;
    if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) how |= SWP_ASYNCWINDOWPOS;
    // The top of the order, for a topmost window, is the top of the topmost ones. Said as
    // such: Wine leaves a window where it is on HWND_TOP once it owns a hidden pop-up (a
    // tooltip will do), and an always-on-top window that stays under another is no lock.
    HWND after = GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST ? HWND_TOPMOST : HWND_TOP;
    return SetWindowPos(hwnd, after, x, y, cx, cy, how) != FALSE;
}

bool Win32Desktop::isWindowVisible(WindowHandle window) {
    HWND hwnd = hwndOf(window);
    return hwnd && IsWindowVisible(hwnd);
}

bool Win32Desktop::isWindowEnabled(WindowHandle window) {
    HWND hwnd = hwndOf(window);
    return hwnd && IsWindow(hwnd) && IsWindowEnabled(hwnd);
}

std::uint32_t Win32Desktop::windowStyle(WindowHandle window) {
    HWND hwnd = hwndOf(window);
    if (!hwnd) return 0;
    return static_cast<std::uint32_t>(GetWindowLongPtrW(hwnd, GWL_STYLE));
}

bool Win32Desktop::setWindowStyle(WindowHandle window, std::uint32_t style) {
    HWND hwnd = hwndOf(window);
    if (!hwnd || !IsWindow(hwnd)) return false;
    // 0 is also a valid previous style, so success is told by the error code.
    SetLastError(ERROR_SUCCESS);
    LONG_PTR previous =
        SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(static_cast<LONG>(style)));
    return previous != 0 || GetLastError() == ERROR_SUCCESS;
}

void Win32Desktop::beginCaptionDrag(WindowHandle window) {
    HWND hwnd = reinterpret_cast<HWND>(window);
    if (!IsWindow(hwnd)) return;
    ReleaseCapture();
    SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

namespace {

int screenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

int Win32Desktop::screenWidthTwips() {
    return core::pixelsToTwips(GetSystemMetrics(SM_CXSCREEN), screenDpi());
}

TwipsRect Win32Desktop::virtualScreenTwips() {
    int dpi = screenDpi();
    return {core::pixelsToTwips(GetSystemMetrics(SM_XVIRTUALSCREEN), dpi),
            core::pixelsToTwips(GetSystemMetrics(SM_YVIRTUALSCREEN), dpi),
            core::pixelsToTwips(GetSystemMetrics(SM_CXVIRTUALSCREEN), dpi),
            core::pixelsToTwips(GetSystemMetrics(SM_CYVIRTUALSCREEN), dpi)};
}

void Win32Desktop::monitorOff(WindowHandle via) {
    HWND hwnd = hwndOf(via);
    // Only our own window: a message sent to another program's could wait on it.
    if (!IsWindow(hwnd) || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return;
    constexpr LPARAM kPowerOff = 2;
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_MONITORPOWER, kPowerOff);
}

void Win32Desktop::excludeFromCapture(WindowHandle window) {
    // Looked up at run time: older systems have no such call.
    using SetAffinity = BOOL(WINAPI*)(HWND, DWORD);
    auto set = reinterpret_cast<SetAffinity>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetWindowDisplayAffinity")));
    if (!set) return;
    constexpr DWORD kExcludeFromCapture = 0x11;  // Windows 10 2004 on
    constexpr DWORD kMonitorOnly = 0x1;          // shown black in captures, before that
    if (!set(hwndOf(window), kExcludeFromCapture)) set(hwndOf(window), kMonitorOnly);
}

void Win32Desktop::setCapture(WindowHandle window) {
    HWND hwnd = hwndOf(window);
    if (IsWindow(hwnd) && GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId())
        SetCapture(hwnd);
}

void Win32Desktop::releaseCapture() {
    ReleaseCapture();
}

}  // namespace platform::win32
