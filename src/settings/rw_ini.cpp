#include "settings/rw_ini.h"

#include "core/text.h"
#include "core/utf.h"

namespace settings {
namespace {

// What the profile functions count as a blank at the ends of a value, and the full-width
// space, which some of them take for one too.
bool isEdgeBlank(char32_t c) {
    return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == 0x20 || c == 0x3000;
}

bool needsQuotes(const std::u16string& p) {
    if (p.empty()) return false;
    auto edge = [](char16_t c) { return isEdgeBlank(c) || c == u'"' || c == u'\''; };
    return edge(p.front()) || edge(p.back());
}

}  // namespace

std::string RWini::ReadIni(const std::string& section, const std::string& key,
                           const std::string& defaultValue) {
    std::string value;
    int copied = profile_.read(IniFileName, section, key, "", value, kValueBufferChars);
    if (copied <= 0) {
        WriteIni(section, key, defaultValue);
        return defaultValue;
    }
    // The value ends at its first NUL, as the system's buffer would.
    return value.substr(0, value.find('\0'));
}

void RWini::WriteIni(const std::string& section, const std::string& key, const std::string& value) {
    profile_.write(IniFileName, section, key, value);
}

std::string storedValue(const std::string& value) {
    return needsQuotes(core::utf8ToUtf16(value)) ? "\"" + value + "\"" : value;
}

std::string AddString(const std::string& text, const std::string& suffix) {
    if (core::endsWithNoCase(text, suffix)) return text;
    return text + suffix;
}

}  // namespace settings
