#pragma once
// The profile-string rules on the text of one INI file, for where the system's own
// profile functions are not there (the simulated desktop). Sections and keys match
// ignoring case; a write replaces an existing value where it stands and appends new
// keys at the end of their section and new sections at the end of the file.
#include <optional>
#include <string>

namespace platform::ini {

// The value of the first matching key, trimmed; nullopt when the section or key is missing.
std::optional<std::string> read(const std::string& content, const std::string& section,
                                const std::string& key);
// The file's text after storing the value.
std::string write(const std::string& content, const std::string& section, const std::string& key,
                  const std::string& value);

}  // namespace platform::ini
