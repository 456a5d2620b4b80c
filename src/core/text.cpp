#include "core/text.h"

#include <algorithm>

#include "core/utf.h"

namespace core {
namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char16_t foldUnit(char16_t c) {
    const auto plus = [c](int n) { return static_cast<char16_t>(c + n); };
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return plus(32);
    // Latin Extended-A pairs each capital with the small letter after it.
    const bool evenPairs = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenPairs && c % 2 == 0) || (oddPairs && c % 2 == 1)) return plus(1);
    if (c == 0x178) return 0xFF;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return plus(32);
    if (c >= 0x400 && c <= 0x40F) return plus(80);
    if (c >= 0x410 && c <= 0x42F) return plus(32);
    if (c >= 0xFF21 && c <= 0xFF3A) return plus(32);
    return c;
}

}  // namespace

std::string trimLeft(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string trimRight(std::string_view s) {
    const size_t last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string trim(std::string_view s) {
    return trimLeft(trimRight(s));
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

bool endsWithNoCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && equalsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

std::string toLowerAscii(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
    return out;
}

std::vector<std::string> split(std::string_view s, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == separator) {
            parts.emplace_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::string foldTitle(std::string_view utf8) {
    std::u16string units = utf8ToUtf16(utf8);
    std::transform(units.begin(), units.end(), units.begin(), foldUnit);
    return utf16ToUtf8(units);
}

bool sameTitle(std::string_view a, std::string_view b) {
    return a == b || foldTitle(a) == foldTitle(b);
}

}  // namespace core
