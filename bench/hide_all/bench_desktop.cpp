#include "bench_desktop.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>

#include "support/driver.h"
#include "tray/fake_shell_protocol.h"
#include "windows/window_peer_protocol.h"

namespace bench {

namespace {

constexpr unsigned kSetTextTimeoutMs = 500;  // Veilor's bound on another program's title
constexpr wchar_t kMarker[] = L"[隐藏] ";
constexpr UINT kFreezeMessage = WM_APP + 0x51;

std::wstring binDir() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::vector<HWND> windowsOf(DWORD pid, const wchar_t* className) {
    return wine_test::findTopWindows(wine_test::WindowQuery{className, L"", pid, false});
}

template <typename Condition>
bool waitFor(Condition condition, DWORD deadlineMs = kDeadlineMs) {
    const double end = nowMs() + deadlineMs;
    while (!condition()) {
        if (nowMs() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        pumpFor(0);
    }
    return true;
}

// Without sending the window a message: the frozen window belongs to this very process,
// where GetWindowTextW would wait for its thread.
std::wstring titleOf(HWND window) {
    wchar_t text[512] = {};
    InternalGetWindowText(window, text, 512);
    return text;
}

bool setTitle(HWND window, const std::wstring& title) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()),
                               SMTO_ABORTIFHUNG, kSetTextTimeoutMs, &result) &&
           result;
}

LRESULT askShell(HWND tray, UINT message, WPARAM wParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(tray, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

LRESULT CALLBACK frozenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kFreezeMessage) {
        WaitForSingleObject(reinterpret_cast<HANDLE>(lParam), INFINITE);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

DWORD WINAPI frozenThread(void* param) {
    auto* out = static_cast<HWND*>(param);
    WNDCLASSW wc{};
    wc.lpfnWndProc = frozenProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VeilorFrozenBenchPeer";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, FrozenWindow::kTitle, WS_OVERLAPPEDWINDOW,
                                  500, 60, 300, 120, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    *out = window;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}

}  // namespace

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void pumpFor(DWORD ms) {
    const double end = nowMs() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (ms) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (nowMs() < end);
}

Child::~Child() {
    if (!info_.hProcess) return;
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 10000);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool Child::start(const std::wstring& program, const std::wstring& args) {
    program_ = binDir() + program;
    std::wstring commandLine = L"\"" + program_ + L"\" " + args;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info_) != FALSE;
}

double hostProcessorMs(const std::function<bool(const std::string& pid)>& matches) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return -1;
    double found = -1;
    do {
        const std::wstring pid = entry.cFileName;
        if (pid.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
        if (!matches(std::string(pid.begin(), pid.end()))) continue;
        std::string stat = wine_test::readFileBytes(L"Z:\\proc\\" + pid + L"\\stat").value_or("");
        std::size_t end = stat.rfind(')');
        if (end == std::string::npos) continue;
        // After the name: state, then fields 4.. ; utime and stime are fields 14 and 15.
        unsigned long long utime = 0, stime = 0;
        if (std::sscanf(stat.c_str() + end + 2,
                        "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                        &stime) == 2)
            found = (utime + stime) * 10.0;  // clock ticks of 10 ms
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return found;
}

std::string hostProcFile(const std::string& pid, const char* name) {
    return wine_test::readFileBytes(wine_test::toWide("Z:\\proc\\" + pid + "\\" + name))
        .value_or("");
}

// Under Wine another process's times always come back as zero, so they are read from
// the host: the Linux process whose command line starts with the program's Windows path
// (unique to this build folder).
double Child::processorMs() const {
    std::string wanted(program_.begin(), program_.end());  // the build paths are ASCII
    double host = hostProcessorMs([&](const std::string& pid) {
        return _stricmp(hostProcFile(pid, "cmdline").c_str(), wanted.c_str()) == 0;
    });
    if (host >= 0) return host;
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(info_.hProcess, &created, &exited, &kernel, &user)) return -1;
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

SettingsFile::SettingsFile() {
    wchar_t documents[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, documents);
    const std::wstring folder = std::wstring(documents) + L"\\Veilor";
    CreateDirectoryW(folder.c_str(), nullptr);
    path_ = folder + L"\\Config.ini";
    // A record left by an earlier run would have the next start restore its windows.
    wchar_t local[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local);
    record_ = std::wstring(local) + L"\\Veilor\\Hidden.dat";
    std::ifstream in(std::filesystem::path(path_), std::ios::binary);
    hadOne_ = static_cast<bool>(in);
    if (hadOne_) saved_.assign(std::istreambuf_iterator<char>(in), {});
    write();
}

void SettingsFile::write(const std::string& more) {
    DeleteFileW(record_.c_str());
    std::ofstream(std::filesystem::path(path_), std::ios::binary | std::ios::trunc)
        << "[HotKey]\r\n0=65,0,-1,0\r\n1=77,0,-1,0\r\n2=84,0,-1,0\r\n3=87,0,-1,0\r\n"
           "4=82,0,-1,0\r\n5=66,0,-1,0\r\n6=73,0,-1,0\r\n[Config]\r\nStartRun=0\r\n"
           "StartMini=0\r\nEndMini=0\r\nBlackPwd=\r\nEndMsg=1\r\n"
        << more;
}

SettingsFile::~SettingsFile() {
    if (hadOne_) {
        std::ofstream(std::filesystem::path(path_), std::ios::binary | std::ios::trunc) << saved_;
    } else {
        DeleteFileW(path_.c_str());
    }
    DeleteFileW(record_.c_str());
}

bool Shell::start() {
    if (!process.start(L"fake_shell.exe", L"buttons " + std::to_wstring(kIcons))) return false;
    if (!waitFor([&] {
            std::vector<HWND> found = windowsOf(process.pid(), fake_shell::kTrayClass);
            tray = found.empty() ? nullptr : found.front();
            return tray && IsWindowVisible(tray);
        }))
        return false;
    HWND notify = FindWindowExW(tray, nullptr, fake_shell::kNotifyClass, nullptr);
    HWND pager = FindWindowExW(notify, nullptr, fake_shell::kPagerClass, nullptr);
    toolbar = FindWindowExW(pager, nullptr, TOOLBARCLASSNAMEW, nullptr);
    for (int i = 0; i < kIcons; ++i)
        ids.push_back(fake_shell::generatedButtonId(i));
    return toolbar && FindWindowW(fake_shell::kTrayClass, nullptr) == tray &&
           askShell(tray, fake_shell::kButtonCount) == kIcons;
}

int Shell::hiddenCount() {
    return static_cast<int>(askShell(tray, fake_shell::kHiddenCount));
}

bool Shell::waitHidden(int count) {
    return waitFor([&] { return hiddenCount() == count; });
}

void Shell::setAllHidden(bool hidden) {
    for (int id : ids) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(toolbar, TB_HIDEBUTTON, id, hidden, SMTO_ABORTIFHUNG, 5000, &ignored);
    }
}

void Shell::showAll() {
    askShell(tray, fake_shell::kShowAll);
}

bool FrozenWindow::open() {
    release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, frozenThread, &window_, 0, nullptr);
    return thread_ && waitFor([&] { return window_ != nullptr; }, 10000);
}

void FrozenWindow::freeze() {
    PostMessageW(window_, kFreezeMessage, 0, reinterpret_cast<LPARAM>(release_));
    waitFor([&] {
        DWORD_PTR r = 0;
        return !SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 50, &r);
    });
}

FrozenWindow::~FrozenWindow() {
    if (!thread_) return;
    SetEvent(release_);
    PostMessageW(window_, WM_CLOSE, 0, 0);
    PostThreadMessageW(GetThreadId(thread_), WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    CloseHandle(release_);
}

bool Peers::start(int count) {
    if (!process.start(L"window_peer.exe", L"count " + std::to_wstring(count))) return false;
    if (!waitFor([&] {
            windows = windowsOf(process.pid(), window_peer::kClass);
            return static_cast<int>(windows.size()) == count;
        }))
        return false;
    titles.clear();
    for (HWND window : windows)
        titles.push_back(titleOf(window));
    return true;
}

bool Peers::allHidden() const {
    for (HWND window : windows) {
        if (IsWindowVisible(window)) return false;
    }
    return true;
}

bool Peers::allMarked() const {
    for (HWND window : windows) {
        if (IsWindowVisible(window) || titleOf(window).rfind(kMarker, 0) != 0) return false;
    }
    return true;
}

bool Peers::restore() {
    for (std::size_t i = 0; i < windows.size(); ++i) {
        setTitle(windows[i], titles[i]);
        ShowWindowAsync(windows[i], SW_SHOWNOACTIVATE);
    }
    return waitFor([&] {
        for (std::size_t i = 0; i < windows.size(); ++i) {
            if (!IsWindowVisible(windows[i]) || titleOf(windows[i]) != titles[i]) return false;
        }
        return true;
    });
}

bool Veilor::start() {
    if (!process.start(L"Veilor.exe")) return false;
    return waitFor([&] {
        std::vector<HWND> found = windowsOf(process.pid(), L"VeilorForm");
        for (HWND window : found) {
            if (titleOf(window) == L"Veilor" && IsWindowVisible(window)) main = window;
        }
        return main != nullptr;
    });
}

bool Veilor::click(int id) const {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(control(id), BM_CLICK, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored) !=
           0;
}

bool markAndHide(HWND window) {
    if (!setTitle(window, kMarker + titleOf(window))) return false;
    return ShowWindowAsync(window, SW_HIDE) != FALSE;
}

bool waitUntil(const std::function<bool()>& condition) {
    return waitFor(condition);
}

bool waitAllHidden(const Peers& peers, Shell& shell) {
    return waitFor([&] { return peers.allHidden() && shell.hiddenCount() == kIcons; });
}

bool waitAllMarked(const Peers& peers) {
    return waitFor([&] { return peers.allMarked(); });
}

double floorHide(const Peers& peers, const FrozenWindow* frozen, Shell& shell) {
    const double start = nowMs();
    shell.setAllHidden(true);
    for (HWND window : peers.windows)
        markAndHide(window);
    if (frozen) markAndHide(frozen->window());
    if (!waitAllHidden(peers, shell)) return -1;
    return nowMs() - start;
}

bool restoreAll(Peers& peers, Shell& shell) {
    shell.showAll();
    bool ok = peers.restore() && waitFor([&] { return shell.hiddenCount() == 0; });
    // Veilor's widget docks 1.5 s after a hide and pauses its thread while it does.
    pumpFor(2500);
    return ok;
}

}  // namespace bench
