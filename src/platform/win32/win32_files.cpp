#include "platform/win32/win32_files.h"

#include <windows.h>

#include <algorithm>

#include "core/text.h"
#include "platform/win32/wide.h"

namespace platform::win32 {
namespace {

// Closes a file handle when it goes out of scope.
class FileHandle {
  public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (valid()) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool close() {
        HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return CloseHandle(h) != 0;
    }

  private:
    HANDLE h_;
};

DWORD attributesOf(const std::string& path) {
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(wide(path).c_str());
}

bool writeAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

bool writeNewFile(const std::wstring& path, const std::string& bytes) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    // No flush: a program that dies keeps the system's file cache, and whatever a power
    // cut loses belonged to a boot that is over. A flush would only make the caller wait.
    bool ok = writeAll(file.get(), bytes);
    return file.close() && ok;
}

class Win32FileWriter : public FileWriter {
  public:
    explicit Win32FileWriter(HANDLE h) : file_(h) {}
    bool write(const std::string& bytes) override { return writeAll(file_.get(), bytes); }

  private:
    FileHandle file_;
};

}  // namespace

std::unique_ptr<FileWriter> Win32Files::createFile(const std::string& path) {
    if (path.empty()) return nullptr;
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32FileWriter>(h);
}

bool Win32Files::fileExists(const std::string& path) {
    DWORD a = attributesOf(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::folderExists(const std::string& path) {
    DWORD a = attributesOf(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::createFolder(const std::string& path) {
    return !path.empty() && CreateDirectoryW(wide(path).c_str(), nullptr) != 0;
}

bool Win32Files::deleteFile(const std::string& path) {
    return !path.empty() && DeleteFileW(wide(path).c_str()) != 0;
}

bool Win32Files::copyFile(const std::string& from, const std::string& to, bool overwrite) {
    if (from.empty() || to.empty()) return false;
    return CopyFileW(wide(from).c_str(), wide(to).c_str(), overwrite ? FALSE : TRUE) != 0;
}

std::optional<std::string> Win32Files::readFile(const std::string& path) {
    if (path.empty()) return std::nullopt;
    FileHandle file(CreateFileW(wide(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.valid() || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
    // Nothing this program reads back comes near this; a bigger file is not ours.
    if (size.QuadPart > (LONGLONG{1} << 30)) return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;  // the file shrank while we read it
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

bool Win32Files::writeFile(const std::string& path, const std::string& bytes) {
    if (path.empty() || folderExists(path)) return false;
    std::wstring target = wide(path);
    std::wstring temp = target + L".veilor-new";
    if (!writeNewFile(temp, bytes)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    DeleteFileW(temp.c_str());
    return false;
}

Win32Files::~Win32Files() {
    for (auto& file : held_)
        CloseHandle(file.second);
}

bool Win32Files::holdOpen(const std::string& path) {
    for (auto& file : held_) {
        if (core::equalsNoCase(file.first, path)) return true;
    }
    PVOID redirection = nullptr;
    BOOL redirected = Wow64DisableWow64FsRedirection(&redirection);
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (redirected) Wow64RevertWow64FsRedirection(redirection);
    if (h == INVALID_HANDLE_VALUE) return false;
    held_.emplace_back(path, h);
    return true;
}

}  // namespace platform::win32
