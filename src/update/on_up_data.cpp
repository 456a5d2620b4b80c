#include "update/on_up_data.h"

#include <utility>

#include "core/val.h"

namespace update {
namespace {

constexpr const char* kFolder = "/softs/veilsp/";
constexpr const char* kProductPage = "/veilsp.html";
constexpr const char* kUnreachable = "无法连接到服务器 请稍后再试！";

}  // namespace

OnUpData::OnUpData(platform::System& sys, ui::Dialogs& dialogs, Controls controls,
                   std::string title, std::string serverBase, Ending ending)
    : sys_(sys),
      dialogs_(dialogs),
      c_(controls),
      title_(std::move(title)),
      base_(std::move(serverBase)),
      ending_(std::move(ending)) {}

void OnUpData::cmdStart_Click() {
    if (busy_) return;
    busy_ = true;
    c_.cmdStart.setEnabled(false);
    CheckUpdate();
}

void OnUpData::cmdStop_Click() {
    cancelDownload = true;
    if (download_) download_->cancel();
}

void OnUpData::Timer6_Timer() {
    // An update check that is still running gets the next tick; the two share files. A
    // notice that would end the program waits while the black screen is locked.
    if (busy_ || (deferred_ && endHeld())) return;
    busy_ = true;
    c_.Timer6.setEnabled(false);
    c_.cmdStart.setEnabled(false);
    if (!deferred_) return CheckNotice();
    const ServerParts pass = *std::exchange(deferred_, std::nullopt);
    noticeFetched(pass);
}

void OnUpData::endForExit() {
    cancelDownload = true;
    probe_.reset();
    if (!download_) return;
    const std::string arriving = download_->filePath();
    download_->abandon();
    download_.reset();
    if (sys_.files.fileExists(arriving)) sys_.files.deleteFile(arriving);
}

void OnUpData::finish() {
    busy_ = false;
    c_.cmdStart.setEnabled(true);
}

void OnUpData::say(const std::string& text, const std::string& title) {
    dialogs_.messageBox(text, title, ui::mb::kOk);
}

void OnUpData::unreachable() {
    say(kUnreachable, title_);
    finish();
}

std::string OnUpData::templatesPath(const std::string& name) const {
    return sys_.environment.specialFolder(platform::SpecialFolder::Templates) + "\\" + name;
}

std::string OnUpData::desktopPath(const std::string& name) const {
    return sys_.environment.specialFolder(platform::SpecialFolder::Desktop) + "\\" + name;
}

std::string OnUpData::serverPath(const std::string& name) const {
    return base_ + kFolder + name;
}

void OnUpData::reach(std::function<void(bool)> next) {
    probe_ = ServerReachable(sys_.internet, base_, [this, next = std::move(next)](bool ok) {
        probe_.reset();
        next(ok);
    });
}

// Downloads one of the server's text files into the Templates folder, reads it and
// removes it; nullopt unless every byte arrived.
void OnUpData::fetchText(const std::string& name, TextDone done) {
    const std::string local = templatesPath(name);
    download_ = std::make_unique<DownloadToFile>(
        sys_, c_.lblCount, serverPath(name), local,
        [this, local, done = std::move(done)](const DownloadResult& result) {
            std::optional<std::string> text = sys_.files.readFile(local);
            if (sys_.files.fileExists(local)) sys_.files.deleteFile(local);
            auto keep = std::move(download_);
            if (result.end != DownloadEnd::Complete) text.reset();
            done(std::move(text));
        });
}

std::optional<ServerParts> OnUpData::parse(const std::optional<std::string>& text, bool isUpdate) {
    if (!text) return std::nullopt;
    std::optional<ServerParts> parts = splitParts(sys_.internet.fromAnsi(*text));
    if (!parts || !plainNumber(parts->part1)) return std::nullopt;
    if (isUpdate && !isBareFileName(parts->part2)) return std::nullopt;
    return parts;
}

bool OnUpData::older(const ServerParts& parts) const {
    return versionNumber(kMajor, kMinor, kRevision) < plainNumber(parts.part1).value_or(0);
}

bool OnUpData::mandatory(const ServerParts& pass) const {
    return core::val(pass.part3) == 1 && older(pass);
}

// Nothing stays hidden when the program goes: what a normal exit restores comes back
// first, without its question.
void OnUpData::endWithProductPage() {
    if (ending_.prepare) ending_.prepare();
    sys_.shell.run(platform::webPageCommand(sys_.environment, base_ + kProductPage),
                   platform::ShowCommand::Maximized);
    sys_.shell.endProcess(0);
}

void OnUpData::CheckNotice() {
    reach([this](bool ok) {
        if (!ok) return finish();
        c_.lblCount.setVisible(false);
        fetchText("Pass.txt",
                  [this](std::optional<std::string> text) { noticeFetched(parse(text, false)); });
    });
}

void OnUpData::noticeFetched(const std::optional<ServerParts>& pass) {
    if (!pass || !older(*pass)) return finish();
    if (mandatory(*pass) && endHeld()) return deferNotice(*pass);
    say(pass->part2, title_);
    if (core::val(pass->part3) == 1) return endWithProductPage();
    finish();
}

// The notice comes back at a later tick, with its text, once the program may end.
void OnUpData::deferNotice(const ServerParts& pass) {
    deferred_ = pass;
    c_.Timer6.setEnabled(true);
    finish();
}

void OnUpData::CheckUpdate() {
    reach([this](bool ok) {
        if (!ok) return unreachable();
        c_.lblCount.setVisible(false);
        fetchText("Update.txt", [this](std::optional<std::string> update) {
            fetchText("Pass.txt", [this, update](std::optional<std::string> pass) {
                updateFetched(Fetched{parse(update, true), parse(pass, false)});
            });
        });
    });
}

void OnUpData::updateFetched(const Fetched& fetched) {
    if (!fetched.update || !fetched.pass) return unreachable();
    const ServerParts& pass = *fetched.pass;
    if (mandatory(pass)) return endHeld() ? deferNotice(pass) : endWithProductPage();
    if (older(pass)) say(pass.part2, title_);
    if (!older(*fetched.update)) {
        say("已经是官方最新版本了！", title_);
        return finish();
    }
    askAndDownload(*fetched.update);
}

void OnUpData::askAndDownload(const ServerParts& update) {
    const std::string question =
        "发现新的版本：" + update.part1 + " 文件大小：" + update.part3 + " 是否进行在线升级 ？";
    if (dialogs_.messageBox(question, "在线升级", ui::mb::kYesNo | ui::mb::kIconQuestion) !=
        ui::mb::kAnswerYes) {
        return finish();
    }
    c_.cmdStart.setVisible(false);
    c_.cmdStop.setEnabled(true);
    c_.cmdStop.setVisible(true);
    c_.lblCount.setVisible(true);
    cancelDownload = false;
    const std::string local = templatesPath("Veilor" + update.part1 + ".exe");
    download_ =
        std::make_unique<DownloadToFile>(sys_, c_.lblCount, serverPath(update.part2), local,
                                         [this, update, local](const DownloadResult& result) {
                                             auto keep = std::move(download_);
                                             exeDownloaded(update, local, result);
                                         });
}

void OnUpData::showButtonsAfterDownload() {
    c_.cmdStop.setVisible(false);
    c_.cmdStop.setEnabled(false);
    c_.cmdStart.setVisible(true);
}

void OnUpData::exeDownloaded(const ServerParts& update, const std::string& local,
                             const DownloadResult& result) {
    platform::Files& files = sys_.files;
    const std::string name = "Veilor" + update.part1 + ".exe";
    // A missing or cut-off executable is no update, whatever the server said.
    if (!cancelDownload &&
        (result.end == DownloadEnd::Failed || result.end == DownloadEnd::Broken)) {
        if (files.fileExists(local)) files.deleteFile(local);
        showButtonsAfterDownload();
        return unreachable();
    }
    say(update.part2, title_);
    if (files.fileExists(local)) files.copyFile(local, desktopPath(name), true);
    showButtonsAfterDownload();
    if (cancelDownload) {
        if (files.fileExists(local)) files.deleteFile(local);
        if (files.fileExists(desktopPath(name))) files.deleteFile(desktopPath(name));
        say("更新已取消！", "更新失败");
        return finish();
    }
    if (files.fileExists(desktopPath(name))) say("最新版已成功更新到 \"桌面\"", "更新完毕");
    finish();
}

}  // namespace update
