#include "support/driver.h"

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace wine_test {

namespace {

constexpr DWORD kPollMs = 10;

std::string hex(const void* value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%p", value);
    return buf;
}

std::wstring className(HWND window) {
    wchar_t buf[256] = {};
    GetClassNameW(window, buf, 256);
    return buf;
}

// GetWindowTextW reads another process's title without sending it a message, so a window
// whose program stopped answering cannot hold the search up (GetWindowTextLengthW would
// wait on it).
std::wstring captionOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

DWORD pidOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::wstring environmentPath(const wchar_t* name) {
    wchar_t buf[MAX_PATH * 2] = {};
    DWORD n = GetEnvironmentVariableW(name, buf, MAX_PATH * 2);
    if (n == 0 || n >= MAX_PATH * 2) {
        ADD_FAILURE() << toUtf8(name) << " is not set; run the test through ctest";
        return L"";
    }
    std::wstring path(buf, n);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

bool matches(HWND window, const WindowQuery& query) {
    if (query.visibleOnly && !IsWindowVisible(window)) return false;
    if (query.pid && pidOf(window) != query.pid) return false;
    if (!query.className.empty() && className(window) != query.className) return false;
    return query.title.empty() || captionOf(window) == query.title;
}

std::string describeQuery(const WindowQuery& query) {
    std::string text =
        "class \"" + toUtf8(query.className) + "\" title \"" + toUtf8(query.title) + "\"";
    if (query.pid) text += concat(" pid ", query.pid);
    if (query.visibleOnly) text += " visible";
    return text;
}

// EnumWindows callbacks are stdcall on i686, which a lambda cannot be.
BOOL CALLBACK appendDescription(HWND window, LPARAM param) {
    *reinterpret_cast<std::string*>(param) += concat("  ", describeWindow(window), "\n");
    return TRUE;
}

struct WindowSearch {
    const WindowQuery* query;
    HWND found;
};

BOOL CALLBACK stopAtMatch(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if (!matches(window, *search->query)) return TRUE;
    search->found = window;
    return FALSE;
}

struct WindowsSearch {
    const WindowQuery* query;
    std::vector<HWND> found;
};

BOOL CALLBACK collectMatches(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowsSearch*>(param);
    if (matches(window, *search->query)) search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring toWide(const std::string& utf8) {
    if (utf8.empty()) return {};
    int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

std::string describeWindow(HWND window) {
    if (!IsWindow(window)) return hex(window) + " (no such window)";
    return hex(window) + " class \"" + toUtf8(className(window)) + "\" title \"" +
           toUtf8(captionOf(window)) + "\" pid " + std::to_string(pidOf(window)) +
           (IsWindowVisible(window) ? " visible" : " hidden");
}

std::string describeTopWindows() {
    std::string text;
    EnumWindows(appendDescription, reinterpret_cast<LPARAM>(&text));
    return text.empty() ? "  (none)\n" : text;
}

std::wstring veilorExe() {
    return environmentPath(L"VEILOR_EXE");
}

std::wstring binDir() {
    return environmentPath(L"VEILOR_BIN_DIR");
}

std::wstring programPath(const std::wstring& name) {
    return binDir() + L"\\" + name + L".exe";
}

void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

namespace {

// With its scan code, as a keyboard sends it.
INPUT keyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

UINT pressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys)
        inputs.push_back(keyInput(key, false));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        inputs.push_back(keyInput(*it, true));
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void holdForScreenshot() {
    char ms[16] = {};
    if (GetEnvironmentVariableA("VEILOR_SCREENSHOT_MS", ms, sizeof ms) == 0) return;
    pollUntil([] { return false; }, static_cast<DWORD>(std::atoi(ms)));
}

UINT typeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wScan = c;
            in.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(in);
        }
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND openKeyboardWindow(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, className, L"", WS_POPUP | WS_VISIBLE, 700, 300, 200, 120,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    pumpMessages();
    return window;
}

::testing::AssertionResult pollUntil(const std::function<bool()>& condition, DWORD deadlineMs,
                                     const std::string& what,
                                     const std::function<std::string()>& actual) {
    const ULONGLONG deadline = GetTickCount64() + deadlineMs;
    for (;;) {
        pumpMessages();
        if (condition()) return ::testing::AssertionSuccess();
        if (GetTickCount64() >= deadline) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    }
    auto failure = ::testing::AssertionFailure()
                   << "waited " << deadlineMs << " ms for " << (what.empty() ? "condition" : what);
    if (actual) failure << "; actual: " << actual();
    return failure;
}

Process::~Process() {
    if (!handle_) return;
    if (running()) terminate();
    CloseHandle(handle_);
}

Process::Process(Process&& other) noexcept : handle_(other.handle_), pid_(other.pid_) {
    other.handle_ = nullptr;
    other.pid_ = 0;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Process old(std::move(*this));
        handle_ = other.handle_;
        pid_ = other.pid_;
        other.handle_ = nullptr;
        other.pid_ = 0;
    }
    return *this;
}

Process Process::start(const std::wstring& exe, const std::wstring& args,
                       const std::wstring& workingDir) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!args.empty()) commandLine += L" " + args;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    Process process;
    // Wine now and then loses a new process while it starts (the child ends before it runs
    // and CreateProcess reports ERROR_INTERNAL_ERROR); that is the host, not the program
    // under test, so such a start is tried again.
    BOOL started = FALSE;
    DWORD error = 0;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0) Sleep(200);
        started =
            CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info);
        error = started ? 0 : GetLastError();
        if (error != ERROR_INTERNAL_ERROR) break;
    }
    if (!started) {
        ADD_FAILURE() << "CreateProcessW(" << toUtf8(commandLine) << ") failed, error " << error;
        return process;
    }
    CloseHandle(info.hThread);
    process.handle_ = info.hProcess;
    process.pid_ = info.dwProcessId;
    return process;
}

bool Process::running() const {
    return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::exitCode() const {
    DWORD code = 0;
    if (!handle_ || running() || !GetExitCodeProcess(handle_, &code)) return std::nullopt;
    return code;
}

::testing::AssertionResult Process::waitExit(DWORD deadlineMs) const {
    if (!handle_) return ::testing::AssertionFailure() << "no process was started";
    return waitForProcessExit(handle_, deadlineMs) << " (pid " << pid_ << ")";
}

void Process::terminate() {
    if (!handle_) return;
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, 10000);
}

::testing::AssertionResult waitForProcessExit(HANDLE process, DWORD deadlineMs) {
    return pollUntil([&] { return WaitForSingleObject(process, 0) != WAIT_TIMEOUT; }, deadlineMs,
                     "the process to exit", [] { return std::string("still running"); });
}

HWND findTopWindow(const WindowQuery& query) {
    WindowSearch search{&query, nullptr};
    EnumWindows(stopAtMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> findTopWindows(const WindowQuery& query) {
    WindowsSearch search{&query, {}};
    EnumWindows(collectMatches, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(const WindowQuery& query, DWORD deadlineMs) {
    HWND found = nullptr;
    auto result =
        pollUntil([&] { return (found = findTopWindow(query)) != nullptr; }, deadlineMs,
                  concat("a top-level window with ", describeQuery(query)),
                  [] { return concat("the top-level windows are\n", describeTopWindows()); });
    if (!result) ADD_FAILURE() << result.message();
    return found;
}

HWND controlById(HWND parent, int id) {
    // A page's controls are made when it is first shown, or just after the window is.
    HWND control = nullptr;
    if (pollUntil([&] { return (control = GetDlgItem(parent, id)) != nullptr; }, 5000)) {
        // Found, maybe while its maker is still making it (linked in, not yet shown, no
        // font yet): an answer from that thread's message loop means it is done.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(control, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        return control;
    }
    std::string ids;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ids += concat(" ", GetDlgCtrlID(child));
    }
    ADD_FAILURE() << "no control with ID " << id << " in " << describeWindow(parent)
                  << "; child IDs:" << (ids.empty() ? " (none)" : ids);
    return nullptr;
}

::testing::AssertionResult clickButton(HWND button, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    if (!IsWindow(button)) return ::testing::AssertionFailure() << "no button " << hex(button);
    if (!SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result)) {
        return ::testing::AssertionFailure()
               << "BM_CLICK to " << describeWindow(button) << " got no answer in " << timeoutMs
               << " ms, error " << GetLastError();
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult bringToFront(HWND window) {
    HWND top = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(top);
    return pollUntil([&] { return GetForegroundWindow() == top; }, 5000,
                     "the window to come to the front",
                     [] { return describeWindow(GetForegroundWindow()); });
}

::testing::AssertionResult clickWithMouse(HWND control) {
    RECT rect = {};
    if (!GetWindowRect(control, &rect)) {
        return ::testing::AssertionFailure() << "no window " << hex(control) << " to click";
    }
    auto front = bringToFront(control);
    if (!front) return front;
    return clickAtPoint({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, control);
}

INPUT mouseInput(DWORD flags, POINT screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // A quarter pixel into the wanted pixel: the same pixel whether the system rounds
    // or truncates when it scales back (Wine truncates).
    input.mi.dx = static_cast<LONG>((4LL * screen.x + 1) * 65535 / (4LL * width));
    input.mi.dy = static_cast<LONG>((4LL * screen.y + 1) * 65535 / (4LL * height));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

::testing::AssertionResult pointerTo(POINT screen, HWND over) {
    constexpr ULONGLONG kSettledMs = 150;
    INPUT move = mouseInput(MOUSEEVENTF_MOVE, screen);
    if (SendInput(1, &move, sizeof(INPUT)) != 1) {
        return ::testing::AssertionFailure()
               << "SendInput refused a move, error " << GetLastError();
    }
    POINT now{};
    ULONGLONG settledSince = GetTickCount64();
    return pollUntil(
        [&] {
            GetCursorPos(&now);
            HWND hit = WindowFromPoint(screen);
            // A disabled control lets the pointer through to its parent.
            bool there = now.x == screen.x && now.y == screen.y &&
                         (!over || hit == over || IsChild(over, hit) || !IsWindowEnabled(over));
            if (!there) settledSince = GetTickCount64();
            return there && GetTickCount64() - settledSince >= kSettledMs;
        },
        5000, concat("the pointer to settle at ", screen.x, ",", screen.y),
        [&] {
            return concat("at ", now.x, ",", now.y, " over ",
                          describeWindow(WindowFromPoint(screen)));
        });
}

::testing::AssertionResult clickAtPoint(POINT screen, HWND over) {
    auto there = pointerTo(screen, over);
    if (!there) return there;
    // Each event carries the point as well: Wine may still take up an older pointer
    // position from X after the move, and a press without one goes there.
    INPUT press[2] = {mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, screen),
                      mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, screen)};
    UINT sent = SendInput(2, press, sizeof(INPUT));
    if (sent != 2) {
        return ::testing::AssertionFailure()
               << "SendInput queued " << sent << " of 2 mouse events, error " << GetLastError();
    }
    return ::testing::AssertionSuccess();
}

std::string windowText(HWND window, DWORD timeoutMs) {
    DWORD_PTR length = 0;
    if (!IsWindow(window) || !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG,
                                                  timeoutMs, &length)) {
        ADD_FAILURE() << "cannot read the text of " << describeWindow(window) << ", error "
                      << GetLastError();
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, timeoutMs, &copied);
    text.resize(copied);
    return toUtf8(text);
}

std::optional<std::string> readFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(file, buf, sizeof buf, &got, nullptr) && got > 0)
        bytes.append(buf, got);
    CloseHandle(file);
    return bytes;
}

bool writeFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return CloseHandle(file) && ok && written == bytes.size();
}

bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

std::wstring knownFolder(int csidl, const char* name) {
    wchar_t path[MAX_PATH] = {};
    HRESULT hr =
        SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
    if (FAILED(hr)) {
        ADD_FAILURE() << "SHGetFolderPathW(" << name << ") failed, hr 0x" << std::hex << hr;
        return L"";
    }
    return path;
}

}  // namespace

std::wstring myDocumentsDir() {
    return knownFolder(CSIDL_PERSONAL, "CSIDL_PERSONAL");
}

std::wstring localAppDataDir() {
    return knownFolder(CSIDL_LOCAL_APPDATA, "CSIDL_LOCAL_APPDATA");
}

std::wstring veilorFolder() {
    return myDocumentsDir() + L"\\Veilor";
}

std::wstring veilorRecordFile() {
    return localAppDataDir() + L"\\Veilor\\Hidden.dat";
}

std::wstring olderVeilorRecordFile() {
    return veilorFolder() + L"\\Hidden.dat";
}

std::wstring veilorConfigFile() {
    return veilorFolder() + L"\\Config.ini";
}

std::string veilorConfig(const char* endMsg) {
    return concat("[HotKey]\r\n0=65,0,-1,0\r\n1=77,0,-1,0\r\n2=84,0,-1,0\r\n3=87,0,-1,0\r\n",
                  "4=82,0,-1,0\r\n5=66,0,-1,0\r\n6=73,0,-1,0\r\n[Config]\r\nStartRun=0\r\n",
                  "StartMini=0\r\nEndMini=0\r\nBlackPwd=\r\nEndMsg=", endMsg, "\r\n");
}

namespace {

// Deleting a file that is not there is fine; one that stays is not.
::testing::AssertionResult removeFile(const std::wstring& path) {
    if (DeleteFileW(path.c_str())) return ::testing::AssertionSuccess();
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "cannot remove " << toUtf8(path) << ", error " << error;
}

}  // namespace

::testing::AssertionResult putVeilorSettings(const std::optional<std::string>& config) {
    const std::wstring folder = veilorFolder();
    if (folder == L"\\Veilor") return ::testing::AssertionFailure() << "no My Documents folder";
    for (const std::wstring& record : {veilorRecordFile(), olderVeilorRecordFile()}) {
        ::testing::AssertionResult removed = removeFile(record);
        if (!removed) return removed;
    }
    if (!config) return removeFile(veilorConfigFile());
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!writeFileBytes(veilorConfigFile(), *config))
        return ::testing::AssertionFailure()
               << "cannot write " << toUtf8(veilorConfigFile()) << ", error " << GetLastError();
    return ::testing::AssertionSuccess();
}

std::vector<std::string> listBoxRows(HWND list) {
    std::vector<std::string> rows;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) {
        ADD_FAILURE() << "the list does not answer, error " << GetLastError();
        return rows;
    }
    for (int i = 0; i < static_cast<int>(count); ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
        // The list may be rebuilt while it is read: a row that has gone ends the reading,
        // and whoever polls reads again.
        if (static_cast<LRESULT>(length) == LB_ERR) break;
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()),
                            SMTO_ABORTIFHUNG, 5000, &copied);
        if (static_cast<LRESULT>(copied) == LB_ERR || copied > length) break;
        text.resize(copied);
        rows.push_back(toUtf8(text));
    }
    return rows;
}

namespace {
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
}

std::optional<std::wstring> runValue(HKEY root, DWORD* type) {
    wchar_t data[1024] = {};
    DWORD bytes = sizeof(data);
    DWORD t = 0;
    if (RegGetValueW(root, kRunKey, L"Veilor", RRF_RT_ANY | RRF_NOEXPAND, &t, data, &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type) *type = t;
    return std::wstring(data);
}

void putRunValue(const std::wstring& data, HKEY root) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"Veilor", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

}  // namespace wine_test
