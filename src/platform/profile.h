#pragma once
// Profile strings: the INI-file reads and writes of the settings file.
#include <string>
#include <vector>

namespace platform {

class Profile {
  public:
    virtual ~Profile() = default;
    // Copies at most bufferChars - 1 characters of the stored value into out and returns
    // how many were copied; 0 when the section or key is missing or the value is empty.
    // The default is what is copied when the key is missing, as the system call does.
    virtual int read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& defaultValue, std::string& out, int bufferChars) = 0;
    // Creates the file, section and key as needed; replaces an existing value in place.
    virtual bool write(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    // The names of the keys of a section in file order; empty when there is none.
    virtual std::vector<std::string> keyNames(const std::string& file,
                                              const std::string& section) = 0;
    // Takes a key and its value out of the file; true also when there was no such key.
    virtual bool removeKey(const std::string& file, const std::string& section,
                           const std::string& key) = 0;
    // Whether every character of text survives being written to the file: a settings
    // file in the system's ANSI code page keeps only the characters of that code page.
    virtual bool keepsText(const std::string& file, const std::string& text) = 0;
};

}  // namespace platform
