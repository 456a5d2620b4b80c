#pragma once
// Small string helpers shared by every subsystem. All comparisons that ignore case
// do so for ASCII letters only: the texts compared this way (path separators, INI
// section and key names, commands) are ASCII.
#include <string>
#include <string_view>
#include <vector>

namespace core {

std::string trim(std::string_view s);
std::string trimLeft(std::string_view s);
std::string trimRight(std::string_view s);
bool startsWith(std::string_view s, std::string_view prefix);
bool endsWith(std::string_view s, std::string_view suffix);
bool endsWithNoCase(std::string_view s, std::string_view suffix);
bool equalsNoCase(std::string_view a, std::string_view b);
std::string toLowerAscii(std::string_view s);
std::vector<std::string> split(std::string_view s, char separator);

}  // namespace core
