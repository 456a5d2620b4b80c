#include "windows/desktop_snapshot.h"

#include "core/text.h"
#include "windows/window_ops.h"

namespace windows {

DesktopSnapshot::DesktopSnapshot(platform::Desktop& desktop) {
    std::vector<platform::WindowHandle> handles = desktop.topLevelWindows();
    windows_.reserve(handles.size());
    for (platform::WindowHandle h : handles) {
        std::string title = GetWinText(desktop, h);
        byTitle_[core::foldTitle(title)].push_back(windows_.size());
        windows_.push_back({h, std::move(title)});
    }
}

const DesktopSnapshot::Entry* DesktopSnapshot::entry(const std::string& title) const {
    auto it = byTitle_.find(core::foldTitle(title));
    return it == byTitle_.end() ? nullptr : &windows_[it->second.front()];
}

std::vector<const DesktopSnapshot::Entry*> DesktopSnapshot::entries(
    const std::string& title) const {
    std::vector<const Entry*> out;
    auto it = byTitle_.find(core::foldTitle(title));
    if (it == byTitle_.end()) return out;
    for (std::size_t index : it->second)
        out.push_back(&windows_[index]);
    return out;
}

platform::WindowHandle DesktopSnapshot::find(const std::string& title) const {
    const Entry* e = entry(title);
    return e ? e->handle : platform::kNoWindow;
}

platform::WindowHandle FindTitledWindow(platform::Desktop& desktop, const std::string& title) {
    return title.empty() ? platform::kNoWindow : DesktopSnapshot(desktop).find(title);
}

}  // namespace windows
