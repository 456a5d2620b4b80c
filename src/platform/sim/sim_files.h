#pragma once
// An in-memory file system with Windows path rules: '\' separators, names matched
// ignoring case. Files can be made undeletable to test what a failed delete does.
#include <map>
#include <set>
#include <string>

#include "platform/files.h"

namespace platform::sim {

class SimFiles : public Files {
  public:
    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to, bool overwrite) override;
    std::optional<std::string> readFile(const std::string& path) override;
    bool writeFile(const std::string& path, const std::string& bytes) override;
    bool holdOpen(const std::string& path) override;
    std::unique_ptr<FileWriter> createFile(const std::string& path) override;
    bool held(const std::string& path) const { return held_.count(key(path)) != 0; }

    // Test set-up: a file (its folders are created too) or a locked file.
    void put(const std::string& path, const std::string& bytes);
    void lock(const std::string& path) { locked_.insert(key(path)); }
    int writeCount() const { return writes_; }
    // From this many more bytes on, writes fail as on a full disk; negative: never.
    long long spaceLeft = -1;

  private:
    class Writer;
    static std::string key(const std::string& path);
    static std::string parentOf(const std::string& path);
    std::map<std::string, std::string> files_;
    std::set<std::string> folders_;
    std::set<std::string> locked_;
    // Open with no sharing: nobody else can read, write or delete them.
    std::set<std::string> held_;
    // Open for writing: readable, but neither deletable nor replaceable.
    std::set<std::string> writing_;
    int writes_ = 0;
};

}  // namespace platform::sim
