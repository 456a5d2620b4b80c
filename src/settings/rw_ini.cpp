#include "settings/rw_ini.h"

#include "core/text.h"

namespace settings {

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

std::string AddString(const std::string& text, const std::string& suffix) {
    if (core::endsWithNoCase(text, suffix)) return text;
    return text + suffix;
}

}  // namespace settings
