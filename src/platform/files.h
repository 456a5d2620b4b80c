#pragma once
// Files and folders, by full path.
#include <memory>
#include <optional>
#include <string>

namespace platform {

// A file being written piece by piece; closed when it goes away.
class FileWriter {
  public:
    virtual ~FileWriter() = default;
    // Appends; false when the bytes could not all be written (disk full, ...).
    virtual bool write(const std::string& bytes) = 0;
};

class Files {
  public:
    virtual ~Files() = default;
    virtual bool fileExists(const std::string& path) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    virtual bool createFolder(const std::string& path) = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    virtual bool copyFile(const std::string& from, const std::string& to, bool overwrite) = 0;
    // Whole-file access, for what the program writes and reads back itself.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // Replaces the file in one piece (a new file moved over the old one): a reader finds
    // the old contents or the new, never a part. Returns without waiting for the disk.
    virtual bool writeFile(const std::string& path, const std::string& bytes) = 0;
    // Keeps an existing file open, shared with nobody, until the program ends: meanwhile
    // no program can open, run, change or delete it. True when it is held, also when it
    // already was.
    virtual bool holdOpen(const std::string& path) = 0;
    // Creates the file empty, replacing an older one, for writing piece by piece; nullptr
    // when it cannot be created. Others may read it meanwhile, not write or delete it.
    virtual std::unique_ptr<FileWriter> createFile(const std::string& path) = 0;
};

}  // namespace platform
