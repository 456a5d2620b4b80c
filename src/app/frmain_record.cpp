// The record of what this run has hidden: kept up to date by every hide and show, and
// read back by the start that follows a run that could not restore what it hid.
#include "app/constants.h"
#include "app/frmain.h"
#include "tray/tray_toolbar.h"
#include "windows/desktop_parts.h"

namespace app {

std::string Frmain::settingsFolder() {
    return ctx_.sys.environment.specialFolder(platform::SpecialFolder::MyDocuments) + "\\" + kTitle;
}

void Frmain::wireRecord() {
    trayPage.hooks.hiding = [this](const auto& buttons) { recordTrayButtons(buttons); };
    trayPage.hooks.shown = [this](const std::string& text) { hiddenRecord.removeButtons(text); };
    trayPage.hooks.allShown = [this] { hiddenRecord.clearButtons(); };
}

void Frmain::recordTrayButtons(const std::vector<tray::TrayButton>& buttons) {
    std::vector<windows::RecordedButton> recorded;
    for (const tray::TrayButton& b : buttons)
        recorded.push_back({b.commandId, b.text.value_or("")});
    hiddenRecord.addButtons(recorded);
}

int Frmain::restoreState(const windows::HiddenState& state) {
    platform::Desktop& desktop = ctx_.sys.desktop;
    int restored = static_cast<int>(windows::showRecordedWindows(desktop, state.windows).size());
    if (state.taskbar) {
        windows::ShowTaskbar(desktop);
        ++restored;
    }
    if (state.desktopIcons) {
        windows::ShowDesktopIcons(desktop);
        ++restored;
    }
    std::vector<int> ids;
    std::vector<std::string> texts;
    for (const windows::RecordedButton& b : state.buttons) {
        ids.push_back(b.commandId);
        if (!b.text.empty()) texts.push_back(b.text);
    }
    if (!ids.empty()) restored += tray::ShowTrayButtonsOf(desktop, ctx_.sys.notifyArea, ids, texts);
    return restored;
}

bool Frmain::restoreLeftovers() {
    hiddenRecord.setFolder(settingsFolder());
    std::optional<windows::HiddenState> left = hiddenRecord.leftover();
    if (!left) return false;
    const int restored = restoreState(*left);
    hiddenRecord.clear();
    return restored > 0;
}

void Frmain::restoreRecorded() {
    restoreState(hiddenRecord.state());
    hiddenRecord.clear();
}

}  // namespace app
