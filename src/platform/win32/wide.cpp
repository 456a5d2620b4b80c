#include "platform/win32/wide.h"

#include "core/utf.h"

namespace platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

std::wstring wide(std::string_view utf8) {
    std::u16string u = core::utf8ToUtf16(utf8);
    return std::wstring(u.begin(), u.end());
}

std::string narrow(std::wstring_view utf16) {
    std::u16string u(utf16.begin(), utf16.end());
    return core::utf16ToUtf8(u);
}

}  // namespace platform::win32
