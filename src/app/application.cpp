#include "app/application.h"

#include "app/constants.h"

namespace app {
namespace {

// The system libraries this build really loads; without them nothing else can work.
constexpr const char* kRequiredComponents[] = {"\\system32\\comctl32.dll",
                                               "\\system32\\wininet.dll"};

}  // namespace

Application::Application(Context& ctx)
    : ctx_(ctx),
      frmain_(std::make_unique<Frmain>(ctx)),
      downLDFIX_(std::make_unique<DownLDFIX>(ctx)),
      frmAbout_(std::make_unique<FrmAbout>(ctx)) {
    frmain_->onEnd = [this] { endProgram(); };
    downLDFIX_->onEnd = [this] { endProgram(); };
    downLDFIX_->onForceStart = [this] { showMainWindow(); };
    frmain_->mainTray.hooks.showAbout = [this] { frmAbout_->show(); };
    frmain_->onCommandExit = [this] {
        ctx_.sys.instance.afterAnswer([this] { frmain_->exitWithoutQuestion(); });
    };
}

Application::~Application() {
    // Forms still loaded at destruction belong to an ended program; skip their handlers.
    frmain_->onUnload = nullptr;
    downLDFIX_->onUnload = nullptr;
    frmAbout_->onUnload = nullptr;
}

StartResult Application::Main() {
    if (!ctx_.sys.instance.claim()) {
        if (ctx_.sys.instance.sendToRunning(kShowCommand, kHandOverTimeoutMs)) {
            return StartResult::HandedOver;
        }
        ctx_.dialogs.messageBox("Veilor 已在运行，但暂时没有响应。请稍后再试。", kTitle,
                                ui::mb::kOk | ui::mb::kIconExclamation);
        return StartResult::Unreachable;
    }
    if (!componentsPresent()) {
        downLDFIX_->show();
        return StartResult::MissingComponent;
    }
    showMainWindow();
    return StartResult::MainWindow;
}

StartResult Application::Main(const cli::Parsed& arguments, int budgetMs) {
    const cli::Command command = arguments.command;
    if (command == cli::Command::None) return Main();
    if (command == cli::Command::Unknown) {
        // Before any claim: a mistyped switch must not stand in the way of a real start.
        finish({cli::kExitUsage, arguments.problem + "\n" + cli::usage()});
        return StartResult::CommandDone;
    }
    if (!ctx_.sys.instance.claim()) return handToRunning(command, budgetMs);
    if (command != cli::Command::Hide && command != cli::Command::Toggle) {
        finish({cli::kExitNotRunning, "Veilor is not running"});
        return StartResult::CommandDone;
    }
    if (!componentsPresent()) {
        downLDFIX_->show();
        return StartResult::MissingComponent;
    }
    startInTray(command);
    return StartResult::InTray;
}

StartResult Application::handToRunning(cli::Command command, int budgetMs) {
    platform::SingleInstance& instance = ctx_.sys.instance;
    const std::uint32_t start = ctx_.sys.clock.tickCount();
    const platform::Asked asked = instance.askRunning(cli::wireCommand(command), budgetMs);
    std::optional<cli::Reply> reply = asked.answer ? cli::parseReply(*asked.answer) : std::nullopt;
    if (!reply) reply = withoutAnswer(command, asked.delivered);
    // An uninstaller waits for this copy and then removes the program's files.
    if (command == cli::Command::Exit && reply->exitCode == cli::kExitDone) {
        const int left = budgetMs - static_cast<int>(ctx_.sys.clock.tickCount() - start);
        if (!instance.waitForRunningToEnd(left)) reply->line = stillEnding(reply->line);
    }
    finish(*reply);
    return StartResult::CommandDone;
}

// It has answered and is on its way out; it restores before it ends, however long the
// desktop keeps it.
std::string Application::stillEnding(const std::string& line) {
    const std::string ended = cli::kEndedPrefix;
    if (line.rfind(ended, 0) != 0) return line;
    return cli::kEndingPrefix + line.substr(ended.size());
}

// A running copy that took a hide or a restore does it, however long the desktop keeps
// it busy: a script is not held up for that. The state and the exit need the answer.
cli::Reply Application::withoutAnswer(cli::Command command, bool delivered) {
    if (!delivered) return {cli::kExitNoAnswer, "Veilor is running but did not answer in time"};
    switch (command) {
        case cli::Command::Hide:
        case cli::Command::Restore:
        case cli::Command::Toggle:
            return {cli::kExitDone,
                    cli::switchName(command) + ": handed over; Veilor is still at it"};
        default:
            return {cli::kExitNoAnswer, "Veilor took the command but did not answer in time"};
    }
}

// Never past a window: the main window stays away, and what an earlier run left
// hidden is reported on the console instead of in a message box.
void Application::startInTray(cli::Command command) {
    listen();
    const bool restored = frmain_->restoreLeftovers();
    frmain_->load();
    frmain_->goToTray();
    cli::Reply reply = frmain_->runCommand(command);
    if (restored) reply.line = "restored what an earlier run left hidden; " + reply.line;
    finish(reply);
}

void Application::finish(const cli::Reply& reply) {
    exitCode_ = reply.exitCode;
    consoleText_ = reply.line;
}

void Application::listen() {
    ctx_.sys.instance.listen([this](const std::string& command) { return answer(command); });
}

std::string Application::answer(const std::string& command) {
    std::optional<cli::Command> switched = cli::fromWire(command);
    if (!switched) {
        frmain_->linkExecute(command);
        return "";
    }
    // A command arriving while another runs (the exit lets messages through) waits for
    // no one: half an exit is no state to hide or restore in.
    if (ended_ || answering_ || !frmain_->loaded()) {
        return cli::formatReply(
            {cli::kExitNoAnswer, "Veilor is busy, starting or ending; try again"});
    }
    answering_ = true;
    const cli::Reply reply = frmain_->runCommand(*switched);
    answering_ = false;
    return cli::formatReply(reply);
}

bool Application::componentsPresent() {
    const std::string windir = ctx_.sys.environment.variable("windir").value_or("");
    for (const char* component : kRequiredComponents) {
        if (!ctx_.sys.files.fileExists(windir + component)) return false;
    }
    return true;
}

// A second start may bring the main window up only once it is meant to be up, never
// past the repair prompt.
void Application::showMainWindow() {
    listen();
    const bool restored = frmain_->restoreLeftovers();
    frmain_->show();
    if (restored) {
        ctx_.dialogs.messageBox("上次退出时未能还原的窗口和图标已经还原。", kTitle,
                                ui::mb::kOk | ui::mb::kIconInformation);
    }
}

void Application::endProgram() {
    // Whoever asks (a close sent to the hidden repair prompt, say), the black screen's
    // lock outlives no request but its password's.
    if (ended_ || frmain_->blackScreenLocked()) return;
    ended_ = true;
    // The main window's own exit has run already; the other forms go without questions.
    for (ui::Form* form :
         {static_cast<ui::Form*>(downLDFIX_.get()), static_cast<ui::Form*>(frmain_.get())}) {
        form->onUnload = nullptr;
        form->unload();
    }
    if (ctx_.quit) ctx_.quit();
}

}  // namespace app
