#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide.h"

namespace platform::win32 {

bool Win32Shell::run(const std::string& commandLine, ShowCommand show) {
    if (commandLine.empty()) return false;
    std::wstring text = wide(commandLine);
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::vector<wchar_t> line(text.begin(), text.end());
    line.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        return false;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

void Win32Shell::pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32Shell::endProcess(int exitCode) {
    ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace platform::win32
