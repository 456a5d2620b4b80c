#include "update/online.h"

namespace update {
namespace {

constexpr const char* kProbeAgent = "Veilor";
constexpr const char* kDownloadAgent = "VB OpenUrl";

}  // namespace

std::string FormatByteSize(platform::Internet& internet, std::uint64_t n) {
    std::string text = internet.byteSizeText(n);
    if (n > 1024) return std::to_string(n) + "字节(" + text + ")";
    return text;
}

std::unique_ptr<platform::HttpTransfer> ServerReachable(platform::Internet& internet,
                                                        const std::string& url,
                                                        std::function<void(bool)> answer) {
    platform::HttpRequest request{kProbeAgent, url, false, true};
    platform::HttpHandlers handlers;
    handlers.onEnd = [answer = std::move(answer)](platform::HttpEnd end) {
        answer(end == platform::HttpEnd::Finished);
    };
    return internet.start(request, std::move(handlers));
}

DownloadToFile::DownloadToFile(platform::System& sys, ui::Label& lblCount, std::string url,
                               std::string filePath, Done done)
    : sys_(sys),
      lblCount_(lblCount),
      filePath_(std::move(filePath)),
      done_(std::move(done)),
      counter_(sys.clock) {
    lblCount_.setText("正在连接服务器...");
    counter_.Clear();
    platform::HttpHandlers handlers;
    handlers.onBlocks = [this](const std::vector<std::string>& b) { blocks(b); };
    handlers.onEnd = [this](platform::HttpEnd end) { ended(end); };
    transfer_ = sys_.internet.start(
        platform::HttpRequest{kDownloadAgent, url, true, false, kMostDownloadBytes},
        std::move(handlers));
}

void DownloadToFile::cancel() {
    if (transfer_) transfer_->cancel();
}

void DownloadToFile::abandon() {
    transfer_.reset();
    file_.reset();
}

bool DownloadToFile::createFile() {
    if (file_) return true;
    if (sys_.files.fileExists(filePath_)) sys_.files.deleteFile(filePath_);
    file_ = sys_.files.createFile(filePath_);
    return file_ != nullptr;
}

void DownloadToFile::blocks(const std::vector<std::string>& blocks) {
    if (writeFailed_) return;
    if (!createFile()) {
        writeFailed_ = true;
        transfer_->cancel();
        return;
    }
    for (const std::string& block : blocks) {
        if (!file_->write(block)) {
            writeFailed_ = true;
            transfer_->cancel();
            return;
        }
        total_ += block.size();
        // A block is at most a few kilobytes: the speed meter's 32-bit count takes it.
        counter_.Count(static_cast<std::int32_t>(block.size()));
    }
    // One text for the blocks that came together: the screen could not show more.
    lblCount_.setText(progressText());
}

std::string DownloadToFile::progressText() {
    const std::int32_t speed = counter_.Speed();
    return "已下载 " + FormatByteSize(sys_.internet, total_) + " [ " +
           FormatByteSize(sys_.internet, static_cast<std::uint64_t>(speed < 0 ? 0 : speed)) +
           " /秒 ]";
}

void DownloadToFile::ended(platform::HttpEnd end) {
    using platform::HttpEnd;
    DownloadResult result{total_, DownloadEnd::Complete};
    if (end == HttpEnd::CannotOpen || end == HttpEnd::BadStatus) {
        lblCount_.setText("打开URL错误");
        result = {0, DownloadEnd::Failed};
    } else {
        if (!writeFailed_ && !createFile()) writeFailed_ = true;
        file_.reset();
        lblCount_.setText("共下载 " + std::to_string(total_) + " 字节");
        if (end == HttpEnd::Cancelled) result.end = DownloadEnd::Cancelled;
        if (end == HttpEnd::Broken) result.end = DownloadEnd::Broken;
        if (writeFailed_ || end == HttpEnd::TooLarge) result.end = DownloadEnd::Failed;
        // Nothing of an answer that would not end stays on the disk.
        if (end == HttpEnd::TooLarge && sys_.files.fileExists(filePath_)) {
            sys_.files.deleteFile(filePath_);
        }
    }
    transfer_.reset();
    Done done = std::move(done_);
    if (done) done(result);
}

}  // namespace update
