#pragma once
// Real files on disk for the portable INI engine: whole-file reads and writes, so the
// engine's bytes land where the system's own profile functions would put theirs.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/files.h"
#include "platform/win32/wide.h"

namespace settings_wine {

class DiskFiles : public platform::Files {
  public:
    bool fileExists(const std::string& path) override {
        DWORD a = GetFileAttributesW(platform::win32::wide(path).c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool folderExists(const std::string&) override { return false; }
    bool createFolder(const std::string&) override { return false; }
    bool deleteFile(const std::string& path) override {
        return DeleteFileW(platform::win32::wide(path).c_str()) != 0;
    }
    bool copyFile(const std::string&, const std::string&, bool) override { return false; }
    std::optional<std::string> readFile(const std::string& path) override {
        std::ifstream in(std::filesystem::path(platform::win32::wide(path)), std::ios::binary);
        if (!in) return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool writeFile(const std::string& path, const std::string& bytes) override {
        std::ofstream out(std::filesystem::path(platform::win32::wide(path)),
                          std::ios::binary | std::ios::trunc);
        out << bytes;
        return static_cast<bool>(out);
    }
    bool holdOpen(const std::string&) override { return false; }
    std::unique_ptr<platform::FileWriter> createFile(const std::string&) override {
        return nullptr;
    }
};

// A fresh, empty folder under the temporary folder for one test.
inline std::string freshFolder(const std::string& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::string folder = platform::win32::narrow(temp) + "veilor_" + name + "_" +
                         std::to_string(GetCurrentProcessId()) + "_" +
                         std::to_string(GetTickCount());
    CreateDirectoryW(platform::win32::wide(folder).c_str(), nullptr);
    return folder;
}

// Bytes with line ends and control characters made visible, for failure messages.
inline std::string visible(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n\n";
        else if (c < 0x20 || c >= 0x7f)
            out += "\\x" + std::string(1, "0123456789abcdef"[c >> 4]) +
                   std::string(1, "0123456789abcdef"[c & 15]);
        else
            out += static_cast<char>(c);
    }
    return out;
}

}  // namespace settings_wine
