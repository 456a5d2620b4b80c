#pragma once
// Shared pieces of the platform tests: waiting with a deadline, the peer program,
// scratch folders.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/wide.h"

namespace platform_test {

// Lets this thread's waiting messages through.
inline void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Polls cond, letting messages through, until it holds or ms have passed.
template <class Condition>
bool waitUntil(Condition cond, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        pump();
        if (cond()) return true;
        if (GetTickCount() - start >= ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

inline std::wstring exeFolder() {
    wchar_t path[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::wstring s(path);
    return s.substr(0, s.find_last_of(L'\\'));
}

inline std::wstring peerPath() {
    return exeFolder() + L"\\platform_peer.exe";
}

inline std::wstring quoted(const std::wstring& s) {
    return L"\"" + s + L"\"";
}

// A name no other test run uses at the same time: several build folders share a machine.
inline std::wstring uniqueName(const std::wstring& prefix) {
    static int counter = 0;
    return prefix + L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
           std::to_wstring(++counter);
}

// The peer program started with the given arguments; ended when this goes away.
class PeerProcess {
  public:
    explicit PeerProcess(const std::wstring& args) {
        std::wstring line = quoted(peerPath()) + L" " + args;
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                           &pi)) {
            CloseHandle(pi.hThread);
            process_ = pi.hProcess;
        }
    }
    ~PeerProcess() {
        if (!process_) return;
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
        CloseHandle(process_);
    }
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    bool started() const { return process_ != nullptr; }

    // The exit code once the peer has ended within ms. With pumping off, this thread
    // answers no message meanwhile, like a program whose interface thread is stuck.
    std::optional<DWORD> waitExit(DWORD ms, bool pumping = true) {
        if (!process_) return std::nullopt;
        bool ended =
            pumping
                ? waitUntil([&] { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }, ms)
                : WaitForSingleObject(process_, ms) == WAIT_OBJECT_0;
        DWORD code = 0;
        if (!ended || !GetExitCodeProcess(process_, &code)) return std::nullopt;
        return code;
    }

  private:
    HANDLE process_ = nullptr;
};

// A fresh folder under the temporary folder, removed with everything in it afterwards.
class TempFolder {
  public:
    explicit TempFolder(const std::wstring& name) {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        path_ = std::wstring(temp) + uniqueName(name);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() { removeTree(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return platform::win32::narrow(path_); }
    std::string operator/(const std::string& name) const { return path() + "\\" + name; }

  private:
    static void removeTree(const std::wstring& dir) {
        WIN32_FIND_DATAW fd;
        HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &fd);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = fd.cFileName;
                if (name == L"." || name == L"..") continue;
                std::wstring full = dir + L"\\" + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    removeTree(full);
                } else {
                    SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(full.c_str());
                }
            } while (FindNextFileW(find, &fd));
            FindClose(find);
        }
        RemoveDirectoryW(dir.c_str());
    }
    std::wstring path_;
};

}  // namespace platform_test
