#pragma once
// The program from start to end: hands over to a running copy, checks the system
// components it loads, shows the main window or the repair prompt, and ends.
#include <memory>
#include <string>

#include "app/context.h"
#include "app/downldfix.h"
#include "app/frm_about.h"
#include "app/frmain.h"
#include "cli/command_line.h"

namespace app {

enum class StartResult {
    HandedOver,        // another copy runs and was told to show itself
    Unreachable,       // another copy runs but did not answer in time
    MainWindow,        // the main window is up
    MissingComponent,  // the repair prompt is up
    CommandDone,       // a switch was dealt with; this copy ends with exitCode()
    InTray             // started by a switch: in the notification area, the switch done
};

class Application {
  public:
    explicit Application(Context& ctx);
    ~Application();

    // The start-up sequence; the message loop runs afterwards unless the result says
    // this copy has nothing to show.
    StartResult Main();
    // The start with the program's arguments: a plain start, or a switch handed to the
    // running copy, or done by this one when it is the first.
    // budgetMs: how long a second start may still wait for the running copy.
    StartResult Main(const cli::Parsed& arguments, int budgetMs = kCommandBudgetMs);
    // After a start with a switch: the process's exit code, and what the console shows.
    int exitCode() const { return exitCode_; }
    const std::string& consoleText() const { return consoleText_; }
    // Unloads every form and leaves the message loop.
    void endProgram();
    bool ended() const { return ended_; }

    Frmain& frmain() { return *frmain_; }
    DownLDFIX& downLDFIX() { return *downLDFIX_; }
    FrmAbout& frmAbout() { return *frmAbout_; }

    // How long a second copy waits for the first to answer.
    static constexpr int kHandOverTimeoutMs = 5000;
    // A second start with a switch ends within three seconds of its own start, whatever
    // the first does: this long for the answer and, after /exit, for the first to be gone,
    // counted from the process's start, with the rest left for ending the process.
    static constexpr int kCommandBudgetMs = 2600;

  private:
    bool componentsPresent();
    void showMainWindow();
    void listen();
    std::string answer(const std::string& command);
    StartResult handToRunning(cli::Command command, int budgetMs);
    static cli::Reply withoutAnswer(cli::Command command, bool delivered);
    static std::string stillEnding(const std::string& line);
    void startInTray(cli::Command command);
    void finish(const cli::Reply& reply);

    Context& ctx_;
    std::unique_ptr<Frmain> frmain_;
    std::unique_ptr<DownLDFIX> downLDFIX_;
    std::unique_ptr<FrmAbout> frmAbout_;
    bool ended_ = false;
    bool answering_ = false;
    int exitCode_ = cli::kExitDone;
    std::string consoleText_;
};

}  // namespace app
