#include "platform/sim/sim_files.h"

#include "core/text.h"

namespace platform::sim {

std::string SimFiles::key(const std::string& path) {
    std::string k = core::toLowerAscii(path);
    for (char& c : k) {
        if (c == '/') c = '\\';
    }
    while (k.size() > 3 && k.back() == '\\')
        k.pop_back();
    return k;
}

std::string SimFiles::parentOf(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool SimFiles::fileExists(const std::string& path) {
    return files_.count(key(path)) != 0;
}

bool SimFiles::folderExists(const std::string& path) {
    std::string k = key(path);
    // A drive's root exists, as "C:" and as "C:\\".
    return folders_.count(k) != 0 || (k.size() == 2 && k[1] == ':') ||
           (k.size() == 3 && k[1] == ':' && k[2] == '\\');
}

bool SimFiles::createFolder(const std::string& path) {
    std::string k = key(path);
    if (folderExists(k) || fileExists(k)) return false;
    std::string parent = parentOf(k);
    if (!parent.empty() && !folderExists(parent)) return false;
    folders_.insert(k);
    return true;
}

bool SimFiles::deleteFile(const std::string& path) {
    std::string k = key(path);
    if (locked_.count(k) || held_.count(k) || writing_.count(k)) return false;
    return files_.erase(k) != 0;
}

bool SimFiles::copyFile(const std::string& from, const std::string& to, bool overwrite) {
    auto src = files_.find(key(from));
    if (src == files_.end() || held_.count(src->first) || (!overwrite && fileExists(to)))
        return false;
    return writeFile(to, src->second);
}

std::optional<std::string> SimFiles::readFile(const std::string& path) {
    auto it = files_.find(key(path));
    if (it == files_.end() || held_.count(it->first)) return std::nullopt;
    return it->second;
}

bool SimFiles::writeFile(const std::string& path, const std::string& bytes) {
    std::string k = key(path);
    std::string parent = parentOf(k);
    if (locked_.count(k) || held_.count(k) || writing_.count(k) || folderExists(k) ||
        (!parent.empty() && !folderExists(parent))) {
        return false;
    }
    files_[k] = bytes;
    ++writes_;
    return true;
}

bool SimFiles::holdOpen(const std::string& path) {
    if (!fileExists(path)) return false;
    held_.insert(key(path));
    return true;
}

// Writes straight into the file's contents, so a reader sees each piece as it lands;
// meanwhile the file cannot be deleted or replaced, as on Windows.
class SimFiles::Writer : public FileWriter {
  public:
    Writer(SimFiles& files, std::string key) : files_(files), key_(std::move(key)) {
        files_.writing_.insert(key_);
    }
    ~Writer() override { files_.writing_.erase(key_); }
    bool write(const std::string& bytes) override {
        long long& space = files_.spaceLeft;
        if (space >= 0 && static_cast<long long>(bytes.size()) > space) return false;
        if (space >= 0) space -= static_cast<long long>(bytes.size());
        files_.files_[key_] += bytes;
        return true;
    }

  private:
    SimFiles& files_;
    std::string key_;
};

std::unique_ptr<FileWriter> SimFiles::createFile(const std::string& path) {
    if (!writeFile(path, "")) return nullptr;
    return std::make_unique<Writer>(*this, key(path));
}

void SimFiles::put(const std::string& path, const std::string& bytes) {
    std::string k = key(path);
    for (std::string p = parentOf(k); !p.empty() && !folderExists(p); p = parentOf(p))
        folders_.insert(p);
    files_[k] = bytes;
}

}  // namespace platform::sim
