#pragma once
// UTF-8 inside, UTF-16 at the system boundary. Invalid input never throws: bad
// sequences become U+FFFD so a strange window title cannot take the program down.
#include <string>
#include <string_view>

namespace core {

std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);

}  // namespace core
