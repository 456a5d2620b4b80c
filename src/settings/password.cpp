#include "settings/password.h"

#include "core/utf.h"
#include "settings/rw_ini.h"

namespace settings {

std::string storedPassword(const std::string& password) {
    return storedValue(password);
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
