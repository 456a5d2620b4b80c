// The switches a second start hands over, done by the running copy: the one-key hide,
// the restore hotkey's restore, a toggle between the two, the state, and the exit.
#include "app/frmain.h"

namespace app {

cli::Reply Frmain::runCommand(cli::Command command) {
    switch (command) {
        case cli::Command::Hide:
            return hideByCommand();
        case cli::Command::Restore:
            return restoreByCommand();
        case cli::Command::Toggle:
            return hiddenNow().any() ? restoreByCommand() : hideByCommand();
        case cli::Command::Status: {
            const cli::HiddenCount now = hiddenNow();
            if (!now.any()) return {cli::kExitDone, "nothing hidden"};
            return {cli::kExitSomethingHidden, "hidden: " + cli::describe(now)};
        }
        case cli::Command::Exit:
            return exitByCommand();
        default:
            return {cli::kExitUsage, "unknown command"};
    }
}

// The record knows what this run hid; the desktop tells whether it is still hidden.
cli::HiddenCount Frmain::hiddenNow() {
    platform::Desktop& desktop = ctx_.sys.desktop;
    const windows::HiddenState& state = hiddenRecord.state();
    cli::HiddenCount count;
    for (const windows::RecordedWindow& w : state.windows) {
        // Gone, its handle now another program's, or shown again by its own program.
        if (w.processId == 0 || desktop.windowProcessId(w.handle) != w.processId) continue;
        if (!desktop.isWindowVisible(w.handle)) ++count.windows;
    }
    count.icons = static_cast<int>(state.buttons.size());
    count.taskbar = Dowin;
    count.desktopIcons = iconhide;
    return count;
}

cli::Reply Frmain::hideByCommand() {
    Command7.raiseClick();
    return {cli::kExitDone, "hidden: " + cli::describe(hiddenNow())};
}

cli::Reply Frmain::restoreByCommand() {
    const cli::HiddenCount before = hiddenNow();
    restoreAll();
    std::string line = "restored: " + cli::describe(before);
    // A window whose program does not answer may keep hiding; the script should know.
    const cli::HiddenCount after = hiddenNow();
    if (after.any()) line += "; still hidden: " + cli::describe(after);
    return {cli::kExitDone, line};
}

// The answer goes first and the exit follows (through onCommandExit): restoring and
// closing every window may take longer than the asking copy can wait.
cli::Reply Frmain::exitByCommand() {
    if (blackScreenLocked()) return {cli::kExitLocked, "refused: the black screen is locked"};
    const cli::HiddenCount before = hiddenNow();
    if (onCommandExit) onCommandExit();
    return {cli::kExitDone, std::string(cli::kEndedPrefix) + cli::describe(before)};
}

void Frmain::exitWithoutQuestion() {
    exitWithoutQuestion_ = true;
    unload();
    exitWithoutQuestion_ = false;
}

}  // namespace app
