// Helpers for the drivers of the Wine tests: they start programs, find their windows and
// controls, click and read them back, and wait for things with deadlines. Nothing here
// sleeps to synchronise: every wait polls a condition (pumping this thread's messages)
// until a deadline, and every failure says what was seen instead.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace wine_test {

// Long enough for a cold Wine start on a loaded machine; a passing test never waits it out.
constexpr DWORD kDeadlineMs = 20000;

std::string toUtf8(const std::wstring& text);
// Streams the parts into one string. (GCC 12 warns falsely about `"literal" + string`
// with -Werror=restrict, so messages are built with this instead.)
template <typename... Parts>
std::string concat(const Parts&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}
std::wstring toWide(const std::string& utf8);
std::string describeWindow(HWND window);  // "0x1234 class \"...\" title \"...\" pid 42"
std::string describeTopWindows();         // one line per top-level window

// The real program (VEILOR_EXE) and the folder holding the drivers and peer programs
// (VEILOR_BIN_DIR), as Windows paths. A missing variable fails the test.
std::wstring veilorExe();
std::wstring binDir();
std::wstring programPath(const std::wstring& name);  // binDir() + "\\" + name + ".exe"

// With VEILOR_SCREENSHOT_MS set, waits that long (pumping messages) so that a person can
// take a picture of what the test has on screen; otherwise returns at once.
void holdForScreenshot();

// Processes this thread's pending messages once.
void pumpMessages();

// Real keys, as a keyboard sends them: pressed in order and let go in reverse order.
// Returns how many key events the system took.
UINT pressKeys(const std::vector<WORD>& keys);
// Characters typed as a keyboard with an input method types them, whatever the layout.
UINT typeText(const std::wstring& text);
// A visible, untitled window of the caller's own to hold the keyboard, so that keys go to
// some other program than Veilor (which does not list untitled windows).
HWND openKeyboardWindow(const wchar_t* className, WNDPROC procedure = DefWindowProcW);

// Polls `condition` every few milliseconds, pumping messages, until it holds or the
// deadline passes. On failure the message names `what` and, if given, `actual()`.
::testing::AssertionResult pollUntil(const std::function<bool()>& condition,
                                     DWORD deadlineMs = kDeadlineMs, const std::string& what = "",
                                     const std::function<std::string()>& actual = {});

// Polls until `read()` equals `expected`; the failure shows the last value read.
template <typename T, typename Read>
::testing::AssertionResult pollEquals(const T& expected, Read read,
                                      DWORD deadlineMs = kDeadlineMs) {
    T last{};
    auto show = [](const T& v) {
        std::ostringstream out;
        out << ::testing::PrintToString(v);
        return out.str();
    };
    return pollUntil([&] { return (last = read()) == expected; }, deadlineMs,
                     "value to become " + show(expected), [&] { return show(last); });
}

// A program started for one test, ended with it: the destructor terminates it if it is
// still running, so a failed check never leaves it behind for the next test.
class Process {
  public:
    Process() = default;
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts `exe` (quoted for the command line) with `args` appended as written.
    // On failure the test fails with the error code and the result is not valid().
    static Process start(const std::wstring& exe, const std::wstring& args = L"",
                         const std::wstring& workingDir = L"");

    bool valid() const { return handle_ != nullptr; }
    HANDLE handle() const { return handle_; }
    DWORD pid() const { return pid_; }
    bool running() const;
    std::optional<DWORD> exitCode() const;  // empty while it runs

    // Waits (pumping messages) until it has exited.
    ::testing::AssertionResult waitExit(DWORD deadlineMs = kDeadlineMs) const;
    // Ends it at once and waits for it to be gone.
    void terminate();

  private:
    HANDLE handle_ = nullptr;
    DWORD pid_ = 0;
};

::testing::AssertionResult waitForProcessExit(HANDLE process, DWORD deadlineMs = kDeadlineMs);

// Which top-level window to look for. Empty strings and pid 0 match anything.
struct WindowQuery {
    std::wstring className;
    std::wstring title;
    DWORD pid = 0;
    bool visibleOnly = false;
};

// The first top-level window in z-order that matches, or nullptr.
HWND findTopWindow(const WindowQuery& query);
// Every top-level window that matches, in z-order.
std::vector<HWND> findTopWindows(const WindowQuery& query);
// Polls for it; on timeout the test fails listing the top-level windows that exist.
HWND waitForWindow(const WindowQuery& query, DWORD deadlineMs = kDeadlineMs);

// GetDlgItem, waiting a few seconds for it; on failure the test fails listing the child
// IDs that do exist.
HWND controlById(HWND parent, int id);

// Clicks a button the way the keyboard or an accessibility tool would (BM_CLICK, sent
// with a timeout so a hung program fails the check instead of the whole run).
::testing::AssertionResult clickButton(HWND button, DWORD timeoutMs = 5000);
// Brings the window's top-level window to the front and waits until it is there.
::testing::AssertionResult bringToFront(HWND window);
// Clicks it with the real mouse (SendInput at its centre), after bringing its top-level
// window to the front. Returns once the input is queued; poll for the effect.
::testing::AssertionResult clickWithMouse(HWND control);

// The real mouse. An absolute event at a point of the screen.
INPUT mouseInput(DWORD flags, POINT screen);
// Moves the pointer there and waits until it has stayed there for a moment and, when
// `over` is given, that window (or one of its children) is under it. A press goes
// wherever the pointer is when it is taken, and for a moment after a move the X server
// may still report where the pointer was before: a click sent right away can land there.
::testing::AssertionResult pointerTo(POINT screen, HWND over = nullptr);
// A left press and release at that point, once the pointer has settled there.
::testing::AssertionResult clickAtPoint(POINT screen, HWND over = nullptr);

// A window's or control's text as UTF-8 (WM_GETTEXT, so it also works for another
// process's edit controls). A window that is gone or hung fails the test.
std::string windowText(HWND window, DWORD timeoutMs = 5000);

// Every row of another program's list box, as UTF-8; a list that does not answer fails
// the test.
std::vector<std::string> listBoxRows(HWND list);

// A whole file's bytes; nullopt when it cannot be opened.
std::optional<std::string> readFileBytes(const std::wstring& path);
// Replaces the file with exactly these bytes; false when that failed.
bool writeFileBytes(const std::wstring& path, const std::string& bytes);
bool fileExists(const std::wstring& path);

// The prefix user's My Documents folder (CSIDL_PERSONAL).
std::wstring myDocumentsDir();

// The prefix user's local application data (CSIDL_LOCAL_APPDATA).
std::wstring localAppDataDir();

// Veilor's settings folder, My Documents\Veilor, and the settings file in it.
std::wstring veilorFolder();
std::wstring veilorConfigFile();
// The record of what Veilor hid, in the local application data; and where older versions
// kept it, beside the settings file.
std::wstring veilorRecordFile();
std::wstring olderVeilorRecordFile();
// A settings file with the seven default hotkeys and nothing done at start; EndMsg "1"
// ends the program without asking.
std::string veilorConfig(const char* endMsg = "1");
// Leaves the settings folder as the next Veilor.exe is to find it, whatever an earlier
// test or run left there: this Config.ini (none for nullopt, as before a first start) and
// no record of what Veilor hid (in either place), which a start would act on.
::testing::AssertionResult putVeilorSettings(const std::optional<std::string>& config);

// The start-with-Windows value named Veilor under `root`'s Run key, as Windows reads it at
// log-on, straight from the registry; its type in *type when asked.
std::optional<std::wstring> runValue(HKEY root = HKEY_CURRENT_USER, DWORD* type = nullptr);
// Puts that value in place as a string; fails the test when the key cannot be opened.
void putRunValue(const std::wstring& data, HKEY root = HKEY_CURRENT_USER);

}  // namespace wine_test
