#include "platform/win32/win32_profile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide.h"

namespace platform::win32 {

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

}  // namespace platform::win32
