#include "settings/password.h"

#include "core/utf.h"
#include "settings/rw_ini.h"

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

std::string storedPassword(const std::string& password) {
    return needsQuotes(core::utf8ToUtf16(password)) ? "\"" + password + "\"" : password;
}

PasswordFit passwordFit(platform::Profile& profile, const std::string& file,
                        const std::string& password) {
    // A line break would end the value and start a line of its own in the file.
    if (password.find_first_of(std::string("\r\n\0", 3)) != std::string::npos ||
        !profile.keepsText(file, password)) {
        return PasswordFit::Unstorable;
    }
    const auto stored = core::utf8ToUtf16(storedPassword(password)).size();
    return stored < static_cast<size_t>(kValueBufferChars) ? PasswordFit::Fits
                                                           : PasswordFit::TooLong;
}

std::string passwordRefusal(PasswordFit fit) {
    switch (fit) {
        case PasswordFit::TooLong:
            return "未保存，密码太长（最多143个字符），请重新输入！";
        case PasswordFit::Unstorable:
            return "未保存，密码中有无法保存的字符（如换行或本系统不支持的文字），请重新输入！";
        case PasswordFit::Fits:
            break;
    }
    return std::string();
}

}  // namespace settings
