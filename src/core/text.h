#pragma once
// Small string helpers shared by every subsystem. The comparisons that ignore case do so
// for ASCII letters only (path separators, INI section and key names, commands are
// ASCII), except the window-title rule at the end.
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Blanks (the space character only, as the program has always trimmed) off both ends, or
// one end.
std::string trim(std::string_view s);
std::string trimLeft(std::string_view s);
std::string trimRight(std::string_view s);
bool startsWith(std::string_view s, std::string_view prefix);
bool endsWith(std::string_view s, std::string_view suffix);
bool endsWithNoCase(std::string_view s, std::string_view suffix);
bool equalsNoCase(std::string_view a, std::string_view b);
std::string toLowerAscii(std::string_view s);
std::vector<std::string> split(std::string_view s, char separator);

// Window titles compared the way the system's window lookup compares them: letters of
// either case match (ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic and the full-width
// Latin letters), every other character only itself. The one rule for finding a window
// by its title.
std::string foldTitle(std::string_view utf8);
bool sameTitle(std::string_view a, std::string_view b);

}  // namespace core
