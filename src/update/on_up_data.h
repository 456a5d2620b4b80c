#pragma once
// The update check behind "检查更新" and the server notice shown once after start.
// Each step that waits on the server continues from a handler, so the user-interface
// thread (and the hotkeys on it) never waits.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/version.h"
#include "platform/system.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "update/online.h"
#include "update/server_text.h"

namespace update {

// This release.
inline constexpr int kMajor = VEILOR_VERSION_MAJOR;
inline constexpr int kMinor = VEILOR_VERSION_MINOR;
inline constexpr int kRevision = VEILOR_VERSION_PATCH;

class OnUpData {
  public:
    struct Controls {
        ui::Button& cmdStart;
        ui::Button& cmdStop;
        ui::Label& lblCount;
        ui::Timer& Timer6;
    };
    // How the program may end at once, for a mandatory notice.
    struct Ending {
        // True while nothing may end the program (the black screen is locked): the
        // notice waits for a later tick.
        std::function<bool()> held;
        // Brings back everything hidden and lets go of what the system lent the program
        // (its icon, its hotkeys), for a program about to end at once.
        std::function<void()> prepare;
    };
    OnUpData(platform::System& sys, ui::Dialogs& dialogs, Controls controls, std::string title,
             std::string serverBase, Ending ending);

    void cmdStart_Click();
    void cmdStop_Click();
    void Timer6_Timer();
    // The program is ending: nothing more is fetched, and a file that was still arriving
    // (the executable, or one of the text files) is removed.
    void endForExit();

    // Set by the cancel button and by the exit; read after the download.
    bool cancelDownload = false;
    bool busy() const { return busy_; }

  private:
    struct Fetched {
        std::optional<ServerParts> update;
        std::optional<ServerParts> pass;
    };
    using TextDone = std::function<void(std::optional<std::string>)>;

    void reach(std::function<void(bool)> next);
    void fetchText(const std::string& name, TextDone done);
    std::optional<ServerParts> parse(const std::optional<std::string>& text, bool isUpdate);
    void CheckNotice();
    void noticeFetched(const std::optional<ServerParts>& pass);
    void CheckUpdate();
    void updateFetched(const Fetched& fetched);
    bool older(const ServerParts& parts) const;
    bool mandatory(const ServerParts& pass) const;
    void endWithProductPage();
    bool endHeld() const { return ending_.held && ending_.held(); }
    void deferNotice(const ServerParts& pass);
    void askAndDownload(const ServerParts& update);
    void exeDownloaded(const ServerParts& update, const std::string& local,
                       const DownloadResult& result);
    void showButtonsAfterDownload();
    void unreachable();
    void say(const std::string& text, const std::string& title);
    void finish();
    std::string templatesPath(const std::string& name) const;
    std::string desktopPath(const std::string& name) const;
    std::string serverPath(const std::string& name) const;

    platform::System& sys_;
    ui::Dialogs& dialogs_;
    Controls c_;
    std::string title_;
    std::string base_;
    Ending ending_;
    bool busy_ = false;
    // A notice that came while the program could not end, shown at a later tick.
    std::optional<ServerParts> deferred_;
    std::unique_ptr<platform::HttpTransfer> probe_;
    std::unique_ptr<DownloadToFile> download_;
};

}  // namespace update
