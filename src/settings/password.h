#pragma once
// The black-screen password in the settings file. The file is read through the system's
// profile functions, which drop blanks at both ends of a value and one pair of quotes
// around it, cut it at the read buffer, and keep the file in the ANSI code page; a
// password must come back from the file exactly as typed, or the user is locked out.
#include <string>

#include "platform/profile.h"

namespace settings {

enum class PasswordFit { Fits, TooLong, Unstorable };

// The value to write: the password itself, or the password in double quotes when the
// profile functions would otherwise take something off it.
std::string storedPassword(const std::string& password);
// Whether the password, written as storedPassword gives it, loads back unchanged.
PasswordFit passwordFit(platform::Profile& profile, const std::string& file,
                        const std::string& password);
// The message that refuses a password that does not fit; empty when it fits.
std::string passwordRefusal(PasswordFit fit);

}  // namespace settings
