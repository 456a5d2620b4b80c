#pragma once
// The desktop the hide-everything benchmarks run against, and the floor they are held
// against: the real Veilor.exe, a peer program with N windows, the fake shell with
// twenty icons, and optionally one window of this process whose thread has stopped
// answering. The floor is a bare loop that marks and hides the same windows the way
// Veilor must (a title change bounded like Veilor's, a hide that does not wait) and
// hides the same toolbar buttons.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "bench_clock.h"

namespace bench {

constexpr int kIcons = 20;
constexpr DWORD kDeadlineMs = 60000;

double median(std::vector<double> values);
// Processes this thread's messages for `ms`.
void pumpFor(DWORD ms);

// User plus system time of the host's process that `matches` picks by its Linux pid, in
// milliseconds; -1 when there is none.
double hostProcessorMs(const std::function<bool(const std::string& pid)>& matches);
// One file of /proc/<pid> on the host, empty when it cannot be read.
std::string hostProcFile(const std::string& pid, const char* name);

// A program of the build's bin folder, ended with the object.
class Child {
  public:
    Child() = default;
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    bool start(const std::wstring& program, const std::wstring& args = L"");
    DWORD pid() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }
    // User plus kernel time so far, in milliseconds (the host's count under Wine).
    double processorMs() const;

  private:
    PROCESS_INFORMATION info_{};
    std::wstring program_;
};

// Puts a settings file with the default hotkeys in place and the old one back after.
class SettingsFile {
  public:
    SettingsFile();
    ~SettingsFile();
    // The default settings followed by `more` (sections of the caller's), and no record of
    // what an earlier Veilor hid; read by the next Veilor that starts.
    void write(const std::string& more = "");
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

  private:
    std::wstring path_;
    std::wstring record_;
    std::string saved_;
    bool hadOne_ = false;
};

struct Shell {
    Child process;
    HWND tray = nullptr;
    HWND toolbar = nullptr;
    std::vector<int> ids;
    bool start();
    int hiddenCount();
    // Waits until exactly `count` buttons are hidden; false on the deadline.
    bool waitHidden(int count);
    // The floor's half on the icons: one toolbar message per button.
    void setAllHidden(bool hidden);
    void showAll();  // asked of the shell itself, between rounds
};

// One window of this process on a thread that stops answering on request.
class FrozenWindow {
  public:
    static constexpr wchar_t kTitle[] = L"Frozen bench peer";
    bool open();
    void freeze();
    ~FrozenWindow();
    HWND window() const { return window_; }

  private:
    HANDLE thread_ = nullptr;
    HANDLE release_ = nullptr;
    HWND window_ = nullptr;
};

struct Peers {
    Child process;
    std::vector<HWND> windows;
    std::vector<std::wstring> titles;
    bool start(int count);
    bool allHidden() const;
    // Hidden, and their titles carry the marker.
    bool allMarked() const;
    // Puts every title back and shows every window; true once all are back.
    bool restore();
};

struct Veilor {
    Child process;
    HWND main = nullptr;
    bool start();
    HWND control(int id) const { return GetDlgItem(main, id); }
    // Clicks a button and returns once its handler has run.
    bool click(int id) const;
};

// Marks the window's title the way Veilor does (bounded) and posts its hide.
bool markAndHide(HWND window);
// Pumps messages until the condition holds; false on the deadline.
bool waitUntil(const std::function<bool()>& condition);
// Waits until every peer window is hidden and every icon too; false on the deadline.
bool waitAllHidden(const Peers& peers, Shell& shell);
// Waits until every peer window is hidden and marked; false on the deadline.
bool waitAllMarked(const Peers& peers);
// The floor: mark and hide the same windows (the frozen one too, if any), hide the same
// icons, then wait as for Veilor. Returns the elapsed milliseconds.
double floorHide(const Peers& peers, const FrozenWindow* frozen, Shell& shell);
// Everything back as it was, and quiet for a moment, before the next round.
bool restoreAll(Peers& peers, Shell& shell);

}  // namespace bench
