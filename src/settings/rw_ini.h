#pragma once
// One value of the settings file at a time. Every read that finds nothing (no file, no
// section, no key, or an empty value) writes the default back, so the file always ends
// up holding every key the program asks for.
#include <string>

#include "platform/profile.h"

namespace settings {

// A value comes back through a buffer of this many characters, so at most one fewer
// characters of a stored value are read; a longer value is cut there.
constexpr int kValueBufferChars = 144;

class RWini {
  public:
    explicit RWini(platform::Profile& profile) : profile_(profile) {}

    // The stored value, or the default after writing it into the file.
    std::string ReadIni(const std::string& section, const std::string& key,
                        const std::string& defaultValue);
    // Stores one value; a failed write is not reported, as nothing could be done about it.
    void WriteIni(const std::string& section, const std::string& key, const std::string& value);

    // The file ReadIni and WriteIni work on.
    std::string IniFileName;

  private:
    platform::Profile& profile_;
};

// The value to write so that the profile functions give it back as it is: in double
// quotes when they would otherwise take blanks or a pair of quotes off its ends.
std::string storedValue(const std::string& value);

// The text unchanged when it already ends with the suffix (ignoring case), otherwise the
// text followed by the suffix.
std::string AddString(const std::string& text, const std::string& suffix);

}  // namespace settings
