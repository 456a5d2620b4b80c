#include "tray/tray_page.h"

#include <algorithm>

#include "core/text.h"
#include "tray/tray_toolbar.h"

namespace tray {
namespace {

bool hasHiddenMarker(const std::string& row) {
    return core::startsWith(row, kHiddenMarker);
}

}  // namespace

TrayPage::TrayPage(ui::Frame& frame, const platform::System& sys)
    : List2(&frame, ui::ids::kList2, "List2"),
      txtTrayTitle(&frame, ui::ids::kTxtTrayTitle, "txtTrayTitle"),
      cmdRefresh2(&frame, ui::ids::kCmdRefresh2, "cmdRefresh2"),
      cmdHide2(&frame, ui::ids::kCmdHide2, "cmdHide2"),
      cmdShow2(&frame, ui::ids::kCmdShow2, "cmdShow2"),
      cmdHideAll(&frame, ui::ids::kCmdHideAll, "cmdHideAll"),
      cmdShowAll(&frame, ui::ids::kCmdShowAll, "cmdShowAll"),
      tmrEnabled2(&frame, ui::ids::kTmrEnabled2, "tmrEnabled2"),
      desktop_(sys.desktop),
      area_(sys.notifyArea) {
    layout();
    wireEvents();
}

void TrayPage::layout() {
    List2.setBounds(120, 300, 3720, 2460);
    txtTrayTitle.setBounds(120, 2880, 3720, 375);
    txtTrayTitle.setReadOnly(true);
    const std::pair<ui::Button*, const char*> buttons[] = {
        {&cmdRefresh2, "刷新列表"}, {&cmdHide2, "隐藏图标"},   {&cmdShow2, "显示图标"},
        {&cmdHideAll, "隐藏全部"},  {&cmdShowAll, "显示全部"},
    };
    int top = 300;
    for (const auto& [button, caption] : buttons) {
        button->setText(caption);
        button->setBounds(3960, top, 1575, 400);
        top += 520;
    }
    // Stopped until the main window has loaded; from then on each change of the choice
    // sets it going once.
    tmrEnabled2.setEnabled(false);
    tmrEnabled2.setInterval(0);
}

void TrayPage::wireEvents() {
    List2.onClick = [this] { List2_Click(); };
    cmdRefresh2.onClick = [this] { cmdRefresh2_Click(); };
    cmdHide2.onClick = [this] { cmdHide2_Click(); };
    cmdShow2.onClick = [this] { cmdShow2_Click(); };
    cmdHideAll.onClick = [this] { cmdHideAll_Click(); };
    cmdShowAll.onClick = [this] { cmdShowAll_Click(); };
    tmrEnabled2.onTick = [this] { tmrEnabled2_Timer(); };
}

void TrayPage::start() {
    started_ = true;
    tmrEnabled2.setInterval(1);
    tmrEnabled2_Timer();
}

void TrayPage::choiceChanged() {
    if (started_ && sight_.seen()) tmrEnabled2.setEnabled(true);
}

void TrayPage::ListTrayButtons() {
    tray::ListTrayButtons(desktop_, area_, List2);
    HideList();
}

void TrayPage::HideList() {
    for (int i = 0; i < List2.listCount(); ++i) {
        for (const std::string& hidden : hideList2) {
            if (List2.list(i) == hidden) List2.setItem(i, std::string(kHiddenMarker) + hidden);
        }
    }
}

std::optional<std::string> TrayPage::selectedRow() const {
    const int index = List2.listIndex();
    if (index < 0 || index >= List2.listCount()) return std::nullopt;
    return List2.list(index);
}

void TrayPage::List2_Click() {
    txtTrayTitle.setText(selectedRow().value_or(""));
    choiceChanged();
}

void TrayPage::tmrEnabled2_Timer() {
    tmrEnabled2.setEnabled(false);
    const bool chosen = !txtTrayTitle.text().empty();
    cmdShow2.setEnabled(chosen);
    cmdHide2.setEnabled(chosen);
}

void TrayPage::cmdRefresh2_Click() {
    txtTrayTitle.setText("");
    ListTrayButtons();
    choiceChanged();
}

void TrayPage::cmdHide2_Click() {
    // The buttons are enabled only while a row with text is chosen; a click that slips
    // in before the next timer tick must not hide every icon without a text.
    const std::optional<std::string> row = selectedRow();
    if (!row || row->empty()) return;
    Dotray = true;
    HideTrayButtons(desktop_, area_, std::vector<std::string>{*row}, hooks.hiding);
    if (!hasHiddenMarker(*row)) hideList2.push_back(*row);
    RefreshTray(desktop_, area_);
    cmdRefresh2_Click();
}

void TrayPage::cmdShow2_Click() {
    std::optional<std::string> row = selectedRow();
    if (!row || row->empty()) return;
    if (hasHiddenMarker(*row)) {
        const std::string text = row->substr(kHiddenMarker.size());
        std::erase(hideList2, text);
        List2.setItem(List2.listIndex(), text);
        row = text;
    }
    ShowTrayButtons(desktop_, area_, *row);
    if (hooks.shown) hooks.shown(*row);
    RefreshTray(desktop_, area_);
    cmdRefresh2_Click();
}

void TrayPage::cmdHideAll_Click() {
    Dotray = true;
    ListTrayButtons();
    HideTrayButtons(desktop_, area_, List2.rows(), hooks.hiding);
    for (const std::string& row : List2.rows()) {
        if (!hasHiddenMarker(row)) hideList2.push_back(row);
    }
    RefreshTray(desktop_, area_);
    cmdRefresh2_Click();
}

void TrayPage::cmdShowAll_Click() {
    hideList2.clear();
    ListTrayButtons();
    ShowTrayButtons(desktop_, area_, List2.rows());
    if (hooks.allShown) hooks.allShown();
    RefreshTray(desktop_, area_);
    cmdRefresh2_Click();
}

}  // namespace tray
