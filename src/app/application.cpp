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
    ctx_.sys.instance.listen([this](const std::string& command) { frmain_->linkExecute(command); });
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
