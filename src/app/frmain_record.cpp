// The record of what this run has hidden: kept up to date by every hide and show, and
// read back by the start that follows a run that could not restore what it hid.
#include <optional>
#include <string_view>
#include <utility>

#include "app/constants.h"
#include "app/frmain.h"
#include "tray/tray_toolbar.h"
#include "windows/desktop_parts.h"

namespace app {

std::string Frmain::settingsFolder() {
    return ctx_.sys.environment.specialFolder(platform::SpecialFolder::MyDocuments) + "\\" + kTitle;
}

std::string Frmain::recordFolder() {
    return ctx_.sys.environment.specialFolder(platform::SpecialFolder::LocalAppData) + "\\" +
           kTitle;
}

void Frmain::wireRecord() {
    trayPage.hooks.hiding = [this](const auto& buttons) { recordTrayButtons(buttons); };
    trayPage.hooks.shown = [this](const std::string& text) { hiddenRecord.removeButtons(text); };
    trayPage.hooks.allShown = [this] { hiddenRecord.clearButtons(); };
}

std::vector<windows::RecordedButton> Frmain::recordedButtons(
    const std::vector<tray::TrayButton>& buttons) {
    std::vector<windows::RecordedButton> recorded;
    for (const tray::TrayButton& b : buttons)
        recorded.push_back({b.commandId, b.text.value_or("")});
    return recorded;
}

void Frmain::recordTrayButtons(const std::vector<tray::TrayButton>& buttons) {
    hiddenRecord.addButtons(recordedButtons(buttons));
}

namespace {

// Shows a part of the shell; true when it was hidden, so that showing it changed something.
template <typename Show>
bool showPart(platform::Desktop& desktop, std::string_view className, Show show) {
    const platform::WindowHandle part = desktop.findWindow(std::string(className), "");
    const bool wasHidden = part != platform::kNoWindow && !desktop.isWindowVisible(part);
    show(desktop);
    return wasHidden;
}

}  // namespace

int Frmain::restoreButtons(const std::vector<windows::RecordedButton>& buttons, bool thisBoot) {
    if (buttons.empty()) return 0;
    platform::Desktop& desktop = ctx_.sys.desktop;
    if (!thisBoot) {
        std::vector<std::pair<int, std::string>> exact;
        for (const windows::RecordedButton& b : buttons)
            exact.emplace_back(b.commandId, b.text);
        return tray::ShowTrayButtonsExactly(desktop, ctx_.sys.notifyArea, exact);
    }
    std::vector<int> ids;
    std::vector<std::string> texts;
    for (const windows::RecordedButton& b : buttons) {
        ids.push_back(b.commandId);
        if (!b.text.empty()) texts.push_back(b.text);
    }
    return tray::ShowTrayButtonsOf(desktop, ctx_.sys.notifyArea, ids, texts);
}

// The taskbar and the desktop icons are always safe to show; windows and icons of another
// boot come back only where nothing but the one Veilor hid can match.
int Frmain::restoreState(const windows::HiddenState& state, bool thisBoot) {
    platform::Desktop& desktop = ctx_.sys.desktop;
    const auto titles =
        thisBoot ? windows::RecordedTitles::Any : windows::RecordedTitles::MarkedOnly;
    int restored =
        static_cast<int>(windows::showRecordedWindows(desktop, state.windows, titles).size());
    if (state.taskbar) restored += showPart(desktop, windows::kTaskbarClass, windows::ShowTaskbar);
    if (state.desktopIcons)
        restored += showPart(desktop, windows::kDesktopIconsClass, windows::ShowDesktopIcons);
    return restored + restoreButtons(state.buttons, thisBoot);
}

bool Frmain::restoreLeftovers() {
    hiddenRecord.setFolder(recordFolder());
    int restored = 0;
    if (std::optional<windows::Leftover> left = hiddenRecord.leftoverAt(hiddenRecord.path()))
        restored += restoreState(left->state, left->thisBoot);
    // An older version kept its record beside the settings file: honoured once, then gone.
    const std::string older = windows::recordPathIn(settingsFolder());
    if (std::optional<windows::Leftover> left = hiddenRecord.leftoverAt(older)) {
        restored += restoreState(left->state, left->thisBoot);
        ctx_.sys.files.deleteFile(older);
    }
    hiddenRecord.clear();
    return restored > 0;
}

void Frmain::restoreRecorded() {
    restoreState(hiddenRecord.state(), true);
    hiddenRecord.clear();
}

}  // namespace app
