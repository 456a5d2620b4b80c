// A small Windows program the platform tests start as "another program":
//   startup <file>                  writes the show state it was started with to <file>
//   window <title> [--disabled] [--children]
//                                   opens a visible window and runs until it is closed
//   instance <name> <command> <ms>  acts as a later copy of a single-instance program
//   end <code>                      ends itself through the shell's endProcess
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "peer_protocol.h"
#include "platform/win32/win32_instance.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/wide.h"

namespace {

LRESULT CALLBACK peerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    switch (msg) {
        case peer::kHangMessage:
            Sleep(static_cast<DWORD>(wp));
            return 1;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool hasFlag(const std::vector<std::wstring>& args, const wchar_t* flag) {
    for (const auto& a : args) {
        if (a == flag) return true;
    }
    return false;
}

int reportStartup(const std::wstring& file) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    GetStartupInfoW(&si);
    char text[64];
    int n = std::snprintf(text, sizeof(text), "flags=%lu show=%u",
                          static_cast<unsigned long>(si.dwFlags), si.wShowWindow);
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    BOOL ok = WriteFile(h, text, static_cast<DWORD>(n), &written, nullptr);
    CloseHandle(h);
    return ok ? 0 : 1;
}

int openWindow(const std::wstring& title, bool disabled, bool children) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = peerProc;
    wc.hInstance = module;
    wc.lpszClassName = peer::kWindowClass;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, peer::kWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, 50, 50,
                                320, 200, nullptr, nullptr, module, nullptr);
    if (!hwnd) return 1;
    if (children) {
        CreateWindowExW(0, L"Button", L"确定", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, hwnd, nullptr,
                        module, nullptr);
        CreateWindowExW(0, L"Button", L"取消", WS_CHILD | WS_VISIBLE, 100, 10, 80, 24, hwnd,
                        nullptr, module, nullptr);
    }
    if (disabled) EnableWindow(hwnd, FALSE);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

int sendAsLaterCopy(const std::wstring& name, const std::wstring& command, int timeoutMs) {
    platform::win32::Win32SingleInstance instance(platform::win32::narrow(name));
    if (instance.claim()) return static_cast<int>(peer::kWasFirst);
    DWORD start = GetTickCount();
    bool delivered = instance.sendToRunning(platform::win32::narrow(command), timeoutMs);
    DWORD took = GetTickCount() - start;
    return static_cast<int>((delivered ? peer::kDelivered : peer::kNotDelivered) + took);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args(argv, argv + argc);
    LocalFree(argv);
    if (args.size() >= 3 && args[1] == L"startup") return reportStartup(args[2]);
    if (args.size() >= 3 && args[1] == L"window") {
        return openWindow(args[2], hasFlag(args, L"--disabled"), hasFlag(args, L"--children"));
    }
    if (args.size() >= 5 && args[1] == L"instance") {
        return sendAsLaterCopy(args[2], args[3], _wtoi(args[4].c_str()));
    }
    if (args.size() >= 3 && args[1] == L"end") {
        platform::win32::Win32Shell().endProcess(_wtoi(args[2].c_str()));
    }
    return 99;
}
