#include "platform/win32/win32_environment.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/wide.h"

namespace platform::win32 {
namespace {

int csidlOf(SpecialFolder folder) {
    switch (folder) {
        case SpecialFolder::MyDocuments:
            return CSIDL_PERSONAL;
        case SpecialFolder::Templates:
            return CSIDL_TEMPLATES;
        case SpecialFolder::Desktop:
            return CSIDL_DESKTOPDIRECTORY;
        case SpecialFolder::System:
            return CSIDL_SYSTEM;
        case SpecialFolder::LocalAppData:
            return CSIDL_LOCAL_APPDATA;
        case SpecialFolder::Windows:
            return CSIDL_WINDOWS;
    }
    return -1;
}

}  // namespace

std::optional<std::string> Win32Environment::variable(const std::string& name) {
    if (name.empty()) return std::nullopt;
    std::wstring wname = wide(name);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        DWORD n = GetEnvironmentVariableW(wname.c_str(), buffer.data(),
                                          static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            // 0 is both "missing" and "set to an empty value"; only the error tells them apart.
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return std::string();
        }
        if (n < buffer.size()) return narrow(std::wstring_view(buffer.data(), n));
        buffer.resize(n);  // n is the size needed, terminating NUL included
    }
}

std::string Win32Environment::specialFolder(SpecialFolder folder) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidlOf(folder), nullptr, SHGFP_TYPE_CURRENT, path))) {
        return std::string();
    }
    std::wstring result(path);
    // A folder at a drive's root comes back as "D:\"; the interface promises no backslash.
    while (!result.empty() && result.back() == L'\\')
        result.pop_back();
    return narrow(result);
}

std::string Win32Environment::executablePath() {
    // Paths may exceed MAX_PATH; the call truncates silently, so grow until it fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    while (buffer.size() <= 32768) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return std::string();
        if (n < buffer.size()) return narrow(std::wstring_view(buffer.data(), n));
        buffer.resize(buffer.size() * 2);
    }
    return std::string();
}

}  // namespace platform::win32
