#include "tray/tray_toolbar.h"

#include <algorithm>

namespace tray {
namespace {

std::unique_ptr<platform::ToolbarConnection> connectToIcons(platform::Desktop& desktop,
                                                            platform::NotifyArea& area) {
    platform::WindowHandle toolbar = iconToolbar(desktop);
    if (toolbar == platform::kNoWindow) return nullptr;
    return area.connect(toolbar);
}

bool contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// A shell that keeps changing its icons gets the last of this many walks.
constexpr int kScanAttempts = 3;

template <typename Pick>
std::vector<TrayButton> walkButtons(platform::ToolbarConnection& toolbar, int count, Pick& pick) {
    std::vector<TrayButton> picked;
    for (int position = 0; position < count; ++position) {
        std::optional<int> id = toolbar.commandId(position);
        if (!id) continue;
        TrayButton button{position, *id, toolbar.buttonText(*id)};
        if (pick(button)) picked.push_back(std::move(button));
    }
    return picked;
}

// The buttons of an open toolbar that the predicate picks, in order. The walk goes by
// position: an icon that goes away meanwhile moves the ones after it into positions
// already passed, and one of them would be missed. A count that changed during the walk
// means walk again.
template <typename Pick>
std::vector<TrayButton> pickButtons(platform::ToolbarConnection& toolbar, Pick pick) {
    std::vector<TrayButton> picked;
    int count = toolbar.buttonCount();
    for (int attempt = 0; attempt < kScanAttempts; ++attempt) {
        picked = walkButtons(toolbar, count, pick);
        const int after = toolbar.buttonCount();
        if (after == count) break;
        count = after;
    }
    return picked;
}

void setHidden(platform::ToolbarConnection& toolbar, const std::vector<TrayButton>& buttons,
               bool hide) {
    for (const TrayButton& button : buttons) {
        toolbar.hideButton(button.commandId, hide);
        toolbar.autosize();
    }
}

// One connection and one pass over the toolbar for any number of texts: every reach
// into the shell's process is a round trip, and the one-key hide passes every icon.
// Every button with the text, not just the first: one program may show several.
void setButtonsHidden(platform::Desktop& desktop, platform::NotifyArea& area,
                      const std::vector<std::string>& texts, bool hide,
                      const BeforeHide& beforeHide = {}) {
    if (texts.empty()) return;
    auto toolbar = connectToIcons(desktop, area);
    if (!toolbar) return;
    const std::vector<TrayButton> buttons = pickButtons(
        *toolbar, [&](const TrayButton& b) { return b.text && contains(texts, *b.text); });
    if (beforeHide && !buttons.empty()) beforeHide(buttons);
    setHidden(*toolbar, buttons, hide);
}

}  // namespace

platform::WindowHandle iconToolbar(platform::Desktop& desktop) {
    platform::WindowHandle w = desktop.findWindow("Shell_TrayWnd", "");
    for (const char* className : {"TrayNotifyWnd", "SysPager", "ToolbarWindow32"}) {
        if (w == platform::kNoWindow) break;
        w = desktop.findChildWindow(w, platform::kNoWindow, className, "");
    }
    return w;
}

platform::WindowHandle FindTrayToolbar(platform::Desktop& desktop, platform::NotifyArea& area) {
    const platform::SystemVersion version = area.systemVersion();
    platform::WindowHandle w = desktop.findWindow("Shell_TrayWnd", "");
    if (w != platform::kNoWindow)
        w = desktop.findChildWindow(w, platform::kNoWindow, "TrayNotifyWnd", "");
    // Shells before Windows 2000 draw the icons in TrayNotifyWnd itself; Windows 2000 puts
    // a toolbar straight into it; every later shell with a toolbar wraps it in SysPager.
    if (version.major < 5 || w == platform::kNoWindow) return w;
    if (version.major > 5 || version.minor > 0) {
        w = desktop.findChildWindow(w, platform::kNoWindow, "SysPager", "");
        if (w == platform::kNoWindow) return w;
    }
    return desktop.findChildWindow(w, platform::kNoWindow, "ToolbarWindow32", "");
}

std::vector<TrayButton> readTrayButtons(platform::Desktop& desktop, platform::NotifyArea& area) {
    return IconPass(desktop, area).buttons();
}

std::vector<std::string> listRows(const std::vector<TrayButton>& buttons) {
    std::vector<std::string> rows;
    for (const TrayButton& button : buttons) {
        if (!button.text) continue;
        const std::string& text = *button.text;
        if (rows.empty() ? text.empty() : rows.back() == text) continue;
        rows.push_back(text);
    }
    return rows;
}

void ListTrayButtons(platform::Desktop& desktop, platform::NotifyArea& area, ui::ListBox& list) {
    ListTrayButtons(readTrayButtons(desktop, area), list);
}

void ListTrayButtons(const std::vector<TrayButton>& buttons, ui::ListBox& list) {
    list.clear();
    for (const std::string& row : listRows(buttons))
        list.addItem(row);
}

void HideTrayButtons(platform::Desktop& desktop, platform::NotifyArea& area,
                     const std::string& text) {
    setButtonsHidden(desktop, area, {text}, true);
}

void ShowTrayButtons(platform::Desktop& desktop, platform::NotifyArea& area,
                     const std::string& text) {
    setButtonsHidden(desktop, area, {text}, false);
}

void HideTrayButtons(platform::Desktop& desktop, platform::NotifyArea& area,
                     const std::vector<std::string>& texts, const BeforeHide& beforeHide) {
    setButtonsHidden(desktop, area, texts, true, beforeHide);
}

IconPass::IconPass(platform::Desktop& desktop, platform::NotifyArea& area)
    : toolbar_(connectToIcons(desktop, area)) {
    if (toolbar_) buttons_ = pickButtons(*toolbar_, [](const TrayButton&) { return true; });
}

std::vector<TrayButton> IconPass::pick(const std::vector<std::string>& texts,
                                       const HideFilter& filter) {
    std::vector<TrayButton> picked;
    for (const TrayButton& b : buttons_) {
        if (!b.text || !contains(texts, *b.text)) continue;
        if (!filter || filter(b, toolbar_->ownerWindow(b.position))) picked.push_back(b);
    }
    return picked;
}

void IconPass::hide(const std::vector<TrayButton>& buttons) {
    if (toolbar_) setHidden(*toolbar_, buttons, true);
}

void ShowTrayButtons(platform::Desktop& desktop, platform::NotifyArea& area,
                     const std::vector<std::string>& texts) {
    setButtonsHidden(desktop, area, texts, false);
}

int ShowTrayButtonsOf(platform::Desktop& desktop, platform::NotifyArea& area,
                      const std::vector<int>& commandIds, const std::vector<std::string>& texts) {
    auto toolbar = connectToIcons(desktop, area);
    if (!toolbar) return 0;
    const std::vector<TrayButton> buttons = pickButtons(*toolbar, [&](const TrayButton& b) {
        return std::find(commandIds.begin(), commandIds.end(), b.commandId) != commandIds.end() ||
               (b.text && contains(texts, *b.text));
    });
    setHidden(*toolbar, buttons, false);
    return static_cast<int>(buttons.size());
}

int ShowTrayButtonsExactly(platform::Desktop& desktop, platform::NotifyArea& area,
                           const std::vector<std::pair<int, std::string>>& buttons) {
    auto toolbar = connectToIcons(desktop, area);
    if (!toolbar) return 0;
    const std::vector<TrayButton> picked = pickButtons(*toolbar, [&](const TrayButton& b) {
        return b.text && !b.text->empty() &&
               std::find(buttons.begin(), buttons.end(), std::pair(b.commandId, *b.text)) !=
                   buttons.end();
    });
    setHidden(*toolbar, picked, false);
    return static_cast<int>(picked.size());
}

void RefreshTray(platform::Desktop& desktop, platform::NotifyArea& area) {
    const platform::WindowHandle toolbar = FindTrayToolbar(desktop, area);
    if (toolbar == platform::kNoWindow) return;
    std::optional<platform::ClientSize> size = area.clientSize(toolbar);
    if (!size) return;
    for (int x = 1; x < size->width; ++x) {
        for (int y = 1; y < size->height; ++y)
            area.postMouseMove(toolbar, x, y);
    }
}

}  // namespace tray
