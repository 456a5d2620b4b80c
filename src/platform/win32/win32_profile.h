#pragma once
// Profile strings through the system's own functions. The settings file has no byte-order
// mark, so Windows keeps it in the ANSI code page: files written by older versions of the
// program load unchanged, and non-ANSI characters become what the code page makes of them.
#include "platform/profile.h"

namespace platform::win32 {

class Win32Profile : public Profile {
  public:
    int read(const std::string& file, const std::string& section, const std::string& key,
             const std::string& defaultValue, std::string& out, int bufferChars) override;
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;
    std::vector<std::string> keyNames(const std::string& file, const std::string& section) override;
    bool removeKey(const std::string& file, const std::string& section,
                   const std::string& key) override;
    bool keepsText(const std::string& file, const std::string& text) override;
};

}  // namespace platform::win32
