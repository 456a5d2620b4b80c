#include "platform/sim/sim_profile.h"

#include "core/utf.h"
#include "platform/ini_file.h"

namespace platform::sim {
namespace {

// Cuts to at most maxUnits UTF-16 units, as a buffer of wide characters would.
std::string cutToUnits(const std::string& text, int maxUnits) {
    std::u16string wide = core::utf8ToUtf16(text);
    if (static_cast<int>(wide.size()) <= maxUnits) return text;
    return core::utf16ToUtf8(wide.substr(0, maxUnits < 0 ? 0 : maxUnits));
}

}  // namespace

int SimProfile::read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& defaultValue, std::string& out, int bufferChars) {
    std::optional<std::string> value = ini::read(files_.readFile(file).value_or(""), section, key);
    // The system drops trailing spaces of the default before using it.
    std::string fallback = defaultValue;
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.pop_back();
    out = cutToUnits(value.value_or(fallback), bufferChars - 1);
    return static_cast<int>(core::utf8ToUtf16(out).size());
}

bool SimProfile::write(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) {
    std::optional<std::string> current = files_.readFile(file);
    std::optional<std::string> changed =
        ini::write(current.value_or(""), section, key, throughCodePage(value));
    // Storing the value a key already holds leaves the file as it is, as the system does.
    if (!changed) return true;
    return files_.writeFile(file, *changed);
}

std::vector<std::string> SimProfile::keyNames(const std::string& file, const std::string& section) {
    return ini::keyNames(files_.readFile(file).value_or(""), section);
}

bool SimProfile::removeKey(const std::string& file, const std::string& section,
                           const std::string& key) {
    std::optional<std::string> current = files_.readFile(file);
    if (!current) return true;
    std::optional<std::string> changed = ini::remove(*current, section, key);
    return !changed || files_.writeFile(file, *changed);
}

bool SimProfile::keepsText(const std::string&, const std::string& text) {
    return throughCodePage(text) == text;
}

bool SimProfile::inCodePage(char16_t c) const {
    if (c < 0x80) return true;
    if (codePage == CodePage::Western) return c < 0x100;
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0x4E00 && c <= 0x9FA5) ||
           (c >= 0xFF01 && c <= 0xFF5E) || c == 0x2018 || c == 0x2019 || c == 0x201C ||
           c == 0x201D || c == 0x2014 || c == 0x2026 || c == 0x00B7;
}

std::string SimProfile::throughCodePage(const std::string& text) const {
    std::u16string wide = core::utf8ToUtf16(text);
    for (char16_t& c : wide) {
        if (!inCodePage(c)) c = u'?';
    }
    return core::utf16ToUtf8(wide);
}

}  // namespace platform::sim
