// Stands in for the system-information tool (and, under the name explorer.exe, for the
// shell opening a web page): records that it was started, how it was asked to show
// itself and, on a second line, any arguments, in "<its own name>.started" beside itself,
// then ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    wchar_t self[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    std::wstring marker(self);
    marker = marker.substr(0, marker.find_last_of(L'.')) + L".started";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    GetStartupInfoW(&si);
    int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
    std::string text = "show=" + std::to_string(show);
    if (arguments && *arguments) {
        char utf8[4096] = {};
        WideCharToMultiByte(CP_UTF8, 0, arguments, -1, utf8, sizeof(utf8) - 1, nullptr, nullptr);
        text += std::string("\n") + utf8;
    }
    HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
