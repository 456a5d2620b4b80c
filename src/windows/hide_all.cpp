#include "windows/hide_all.h"

#include <algorithm>
#include <string>

#include "windows/window_ops.h"

namespace windows {
namespace {

// The title really starts with the marker: what was written is what the system kept.
bool markVerified(platform::Desktop& desktop, const HideTarget& target) {
    const std::string marked = std::string(kHiddenMarker) + target.title;
    if (!desktop.setWindowText(target.handle, marked)) return false;
    if (hasHiddenMarker(desktop.windowText(target.handle))) return true;
    desktop.setWindowText(target.handle, target.title);
    return false;
}

std::vector<RecordedWindow> toRecord(platform::Desktop& desktop,
                                     const std::vector<HideTarget>& targets) {
    std::vector<RecordedWindow> out;
    for (const HideTarget& t : targets) {
        const bool marked = hasHiddenMarker(t.title);
        out.push_back({t.handle, desktop.windowProcessId(t.handle),
                       marked ? t.title.substr(kHiddenMarker.size()) : t.title});
    }
    return out;
}

}  // namespace

std::vector<platform::WindowHandle> hideWindows(platform::Desktop& desktop, HiddenRecord& record,
                                                const std::vector<HideTarget>& targets) {
    if (targets.empty()) return {};
    // Written down first: from here on a killed Veilor still knows what to bring back.
    record.addWindows(toRecord(desktop, targets));
    for (const HideTarget& t : targets)
        WinCommand(desktop, t.handle, kWinHide);
    std::vector<platform::WindowHandle> hidden, unmarked;
    for (const HideTarget& t : targets) {
        if (hasHiddenMarker(t.title) || markVerified(desktop, t)) {
            hidden.push_back(t.handle);
        } else {
            WinCommand(desktop, t.handle, kWinShow);
            unmarked.push_back(t.handle);
        }
    }
    record.removeWindows(unmarked);
    return hidden;
}

std::vector<HideTarget> listedTargets(const DesktopSnapshot& desktop, const ui::ListBox& list) {
    std::vector<HideTarget> targets;
    const int count = list.listCount();
    for (int i = 0; i < count; ++i) {
        const std::string row = list.list(i);
        const DesktopSnapshot::Entry* w = row.empty() ? nullptr : desktop.entry(row);
        if (!w || (!isMarkable(w->title) && !hasHiddenMarker(w->title))) continue;
        const bool taken = std::any_of(targets.begin(), targets.end(),
                                       [&](const HideTarget& t) { return t.handle == w->handle; });
        if (!taken) targets.push_back({w->handle, w->title});
    }
    return targets;
}

void showMarkedWindows(platform::Desktop& desktop, const ui::ListBox& list) {
    const DesktopSnapshot snapshot(desktop);
    const int count = list.listCount();
    for (int i = 0; i < count; ++i) {
        const std::string row = list.list(i);
        const DesktopSnapshot::Entry* w = row.empty() ? nullptr : snapshot.entry(row);
        if (!w || !hasHiddenMarker(w->title)) continue;
        desktop.setWindowText(w->handle, w->title.substr(kHiddenMarker.size()));
        WinCommand(desktop, w->handle, kWinShow);
    }
}

}  // namespace windows
