#include "windows/desktop_snapshot.h"

#include "windows/window_ops.h"

namespace windows {

DesktopSnapshot::DesktopSnapshot(platform::Desktop& desktop) {
    std::vector<platform::WindowHandle> handles = desktop.topLevelWindows();
    windows_.reserve(handles.size());
    for (platform::WindowHandle h : handles) {
        std::string title = GetWinText(desktop, h);
        firstByTitle_.try_emplace(title, h);
        windows_.push_back({h, std::move(title)});
    }
}

platform::WindowHandle DesktopSnapshot::find(const std::string& title) const {
    auto it = firstByTitle_.find(title);
    return it == firstByTitle_.end() ? platform::kNoWindow : it->second;
}

}  // namespace windows
