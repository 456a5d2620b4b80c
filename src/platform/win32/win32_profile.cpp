#include "platform/win32/win32_profile.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/win32/wide.h"

namespace platform::win32 {
namespace {

// A file that begins with the UTF-16 byte-order mark is kept in Unicode by the system.
bool isUnicodeFile(const std::string& file) {
    HANDLE h = CreateFileW(wide(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    unsigned char mark[2] = {};
    DWORD got = 0;
    BOOL read = ReadFile(h, mark, sizeof mark, &got, nullptr);
    CloseHandle(h);
    return read && got == 2 && mark[0] == 0xFF && mark[1] == 0xFE;
}

// The text as the ANSI code page gives it back; best-fit replacements show as changes.
std::wstring throughAnsi(const std::wstring& text) {
    int size = static_cast<int>(text.size());
    int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::wstring();
    std::string ansi(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), bytes, nullptr, nullptr);
    int chars = MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, nullptr, 0);
    std::wstring back(static_cast<size_t>(chars > 0 ? chars : 0), L'\0');
    if (chars > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, back.data(), chars);
    return back;
}

}  // namespace

int Win32Profile::read(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& defaultValue, std::string& out, int bufferChars) {
    if (bufferChars <= 0) {
        out.clear();
        return 0;
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(bufferChars), L'\0');
    DWORD copied = GetPrivateProfileStringW(wide(section).c_str(), wide(key).c_str(),
                                            wide(defaultValue).c_str(), buffer.data(),
                                            static_cast<DWORD>(bufferChars), wide(file).c_str());
    size_t length = std::min<size_t>(copied, buffer.size() - 1);
    out = narrow(std::wstring_view(buffer.data(), length));
    return static_cast<int>(copied);
}

bool Win32Profile::write(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& value) {
    return WritePrivateProfileStringW(wide(section).c_str(), wide(key).c_str(), wide(value).c_str(),
                                      wide(file).c_str()) != 0;
}

std::vector<std::string> Win32Profile::keyNames(const std::string& file,
                                                const std::string& section) {
    // The names come back one after another, each ending in NUL, with one more NUL at the
    // end; a buffer too small shows as a count two short of its size.
    std::vector<wchar_t> buffer(4096, L'\0');
    for (;;) {
        DWORD copied =
            GetPrivateProfileStringW(wide(section).c_str(), nullptr, L"", buffer.data(),
                                     static_cast<DWORD>(buffer.size()), wide(file).c_str());
        if (copied + 2 < buffer.size() || buffer.size() >= 1u << 20) {
            std::vector<std::string> names;
            for (const wchar_t* p = buffer.data(); *p && p < buffer.data() + copied;
                 p += std::wcslen(p) + 1)
                names.push_back(narrow(p));
            return names;
        }
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

bool Win32Profile::removeKey(const std::string& file, const std::string& section,
                             const std::string& key) {
    return WritePrivateProfileStringW(wide(section).c_str(), wide(key).c_str(), nullptr,
                                      wide(file).c_str()) != 0;
}

bool Win32Profile::keepsText(const std::string& file, const std::string& text) {
    if (text.empty() || isUnicodeFile(file)) return true;
    std::wstring w = wide(text);
    return throughAnsi(w) == w;
}

}  // namespace platform::win32
