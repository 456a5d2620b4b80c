#pragma once
// Talking to the maker's web server: whether it answers, and one URL downloaded into a
// file with its progress and speed in a label. The network work runs on a worker thread;
// these pieces only see its blocks and its end, on the user-interface thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/system.h"
#include "ui/controls.h"
#include "update/cls_count.h"

namespace update {

// The most bytes a download takes: far above any file of the maker's, and a server that
// sends more cannot fill the disk.
inline constexpr std::uint64_t kMostDownloadBytes = 256ULL * 1024 * 1024;

// n in plain decimal with the system's short text in brackets above 1024, else the short
// text alone: "2048字节(2.00 KB)", "1.00 KB".
std::string FormatByteSize(platform::Internet& internet, std::uint64_t n);

// answer(true) once the server at url answers at all, whatever the status.
std::unique_ptr<platform::HttpTransfer> ServerReachable(platform::Internet& internet,
                                                        const std::string& url,
                                                        std::function<void(bool)> answer);

enum class DownloadEnd {
    Complete,   // everything the server sent is in the file
    Cancelled,  // stopped on request; the file keeps what came before
    Failed,     // no file: the URL did not open, the server answered an error or sent
                // more than kMostDownloadBytes, or the file could not be created or written
    Broken,     // the connection dropped part-way; the file keeps what came before
};

struct DownloadResult {
    std::uint64_t bytes = 0;
    DownloadEnd end = DownloadEnd::Failed;
};

// One URL into one file. An older file is replaced once the server sends the answer;
// a URL that does not open leaves it alone.
class DownloadToFile {
  public:
    using Done = std::function<void(const DownloadResult&)>;
    // done runs last, and may destroy this object.
    DownloadToFile(platform::System& sys, ui::Label& lblCount, std::string url,
                   std::string filePath, Done done);
    DownloadToFile(const DownloadToFile&) = delete;
    DownloadToFile& operator=(const DownloadToFile&) = delete;
    // Takes effect after the block in hand; what was received stays in the file.
    void cancel();
    // Stops at once and closes the file; done never runs. For a program that is ending.
    void abandon();
    const std::string& filePath() const { return filePath_; }

  private:
    void blocks(const std::vector<std::string>& blocks);
    void ended(platform::HttpEnd end);
    bool createFile();
    std::string progressText();
    void fail();

    platform::System& sys_;
    ui::Label& lblCount_;
    std::string filePath_;
    Done done_;
    clsCount counter_;
    std::uint64_t total_ = 0;
    std::unique_ptr<platform::FileWriter> file_;
    bool writeFailed_ = false;
    std::unique_ptr<platform::HttpTransfer> transfer_;
};

}  // namespace update
