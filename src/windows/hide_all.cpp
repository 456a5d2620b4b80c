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

}  // namespace

std::vector<RecordedWindow> recordedWindows(platform::Desktop& desktop,
                                            const std::vector<HideTarget>& targets) {
    std::vector<RecordedWindow> out;
    for (const HideTarget& t : targets) {
        const bool marked = hasHiddenMarker(t.title);
        out.push_back({t.handle, desktop.windowProcessId(t.handle),
                       marked ? t.title.substr(kHiddenMarker.size()) : t.title});
    }
    return out;
}

std::vector<platform::WindowHandle> hideRecordedWindows(platform::Desktop& desktop,
                                                        HiddenRecord& record, LateMarkers& late,
                                                        const std::vector<HideTarget>& targets,
                                                        const std::function<void()>& posted) {
    // Every hide is on its way before the first title is written: a title waits for its
    // program's answer, a hide does not, and the programs hide their windows side by side.
    for (const HideTarget& t : targets)
        WinCommand(desktop, t.handle, kWinHide);
    if (posted) posted();
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
    for (platform::WindowHandle window : unmarked)
        late.watch(window);
    return hidden;
}

std::vector<platform::WindowHandle> hideWindows(platform::Desktop& desktop, HiddenRecord& record,
                                                LateMarkers& late,
                                                const std::vector<HideTarget>& targets) {
    if (targets.empty()) return {};
    // Written down first: from here on a killed Veilor still knows what to bring back.
    record.addWindows(recordedWindows(desktop, targets));
    return hideRecordedWindows(desktop, record, late, targets);
}

// Row after row, each names the first window with its title that no earlier row has
// taken: by then an earlier row's window carries another title, as a fresh lookup would
// find (two windows of one title are two rows, and both are hidden).
template <typename Wanted>
std::vector<HideTarget> windowsOfRows(const DesktopSnapshot& desktop,
                                      const std::vector<std::string>& rows, Wanted wanted) {
    std::vector<HideTarget> targets;
    for (const std::string& row : rows) {
        if (row.empty()) continue;  // an empty title would name any window
        for (const DesktopSnapshot::Entry* w : desktop.entries(row)) {
            const bool taken =
                std::any_of(targets.begin(), targets.end(),
                            [&](const HideTarget& t) { return t.handle == w->handle; });
            if (taken) continue;
            if (wanted(w->title)) targets.push_back({w->handle, w->title});
            break;
        }
    }
    return targets;
}

std::vector<HideTarget> listedTargets(const DesktopSnapshot& desktop,
                                      const std::vector<std::string>& rows) {
    return windowsOfRows(desktop, rows, [](const std::string& title) {
        return isMarkable(title) || hasHiddenMarker(title);
    });
}

void showMarkedWindows(platform::Desktop& desktop, const ui::ListBox& list) {
    for (const HideTarget& w :
         windowsOfRows(DesktopSnapshot(desktop), list.rows(), hasHiddenMarker)) {
        desktop.setWindowText(w.handle, w.title.substr(kHiddenMarker.size()));
        WinCommand(desktop, w.handle, kWinShow);
    }
}

}  // namespace windows
