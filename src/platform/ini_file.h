#pragma once
// The profile-string rules on the text of one INI file, for where the system's own
// profile functions are not there (the simulated desktop). The file is read into
// sections and keys the way the system reads it, and a write that changes anything
// writes the whole file out again in the system's layout: "[Section]" and "key=value"
// lines ending in CR LF, blanks around names and values dropped, blank lines gone.
// Sections and keys match ignoring case; a new key goes to the end of its section and a
// new section to the end of the file.
#include <optional>
#include <string>
#include <vector>

namespace platform::ini {

// The value as the system hands it out (a pair of enclosing quotes removed); nullopt
// when the section or key is missing or the key's line has no "=".
std::optional<std::string> read(const std::string& content, const std::string& section,
                                const std::string& key);
// The file's text after storing the value (leading blanks of the value dropped); nullopt
// when the key already holds exactly that value, in which case the system leaves the
// file untouched.
std::optional<std::string> write(const std::string& content, const std::string& section,
                                 const std::string& key, const std::string& value);

// The key names of a section in file order (lines without "=" too, as the system lists
// them); empty when the section is missing.
std::vector<std::string> keyNames(const std::string& content, const std::string& section);
// The file's text without the key's line; nullopt when there is no such key.
std::optional<std::string> remove(const std::string& content, const std::string& section,
                                  const std::string& key);

}  // namespace platform::ini
