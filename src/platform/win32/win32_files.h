#pragma once
// Files and folders through the wide Win32 file functions.
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"

namespace platform::win32 {

class Win32Files : public Files {
  public:
    Win32Files() = default;
    Win32Files(const Win32Files&) = delete;
    Win32Files& operator=(const Win32Files&) = delete;
    ~Win32Files() override;
    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to, bool overwrite) override;
    std::optional<std::string> readFile(const std::string& path) override;
    // Writes beside the target and then moves it into place, so a failed write
    // (disk full, file in use) leaves the old contents whole.
    bool writeFile(const std::string& path, const std::string& bytes) override;
    // A 32-bit program on a 64-bit system holds the file the path names for every
    // program, not its own 32-bit view of the system folder.
    bool holdOpen(const std::string& path) override;
    std::unique_ptr<FileWriter> createFile(const std::string& path) override;

  private:
    std::vector<std::pair<std::string, void*>> held_;
};

}  // namespace platform::win32
