#include "windows/hide_all.h"

#include <string>

#include "windows/window_ops.h"

namespace windows {
namespace {

// The window a row names; an empty row names none (an empty title would match any).
platform::WindowHandle windowOfRow(platform::Desktop& desktop, const std::string& row) {
    return row.empty() ? platform::kNoWindow : desktop.findWindow("", row);
}

}  // namespace

void hideListedWindows(platform::Desktop& desktop, const ui::ListBox& list) {
    const int count = list.listCount();
    for (int i = 0; i < count; ++i) {
        const platform::WindowHandle w = windowOfRow(desktop, list.list(i));
        const std::string title = GetWinText(desktop, w);
        if (w == platform::kNoWindow || !isMarkable(title)) continue;
        if (desktop.setWindowText(w, std::string(kHiddenMarker) + title)) {
            WinCommand(desktop, w, kWinHide);
        }
    }
}

void showMarkedWindows(platform::Desktop& desktop, const ui::ListBox& list) {
    const int count = list.listCount();
    for (int i = 0; i < count; ++i) {
        const platform::WindowHandle w = windowOfRow(desktop, list.list(i));
        const std::string title = GetWinText(desktop, w);
        if (!hasHiddenMarker(title)) continue;
        desktop.setWindowText(w, title.substr(kHiddenMarker.size()));
        WinCommand(desktop, w, kWinShow);
    }
}

}  // namespace windows
