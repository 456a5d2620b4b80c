#pragma once
// Files and folders through the wide Win32 file functions.
#include "platform/files.h"

namespace platform::win32 {

class Win32Files : public Files {
  public:
    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to, bool overwrite) override;
    std::optional<std::string> readFile(const std::string& path) override;
    // Writes beside the target and then moves it into place, so a failed write
    // (disk full, file in use) leaves the old contents whole.
    bool writeFile(const std::string& path, const std::string& bytes) override;
};

}  // namespace platform::win32
