#include "platform/sim/sim_desktop.h"

#include <algorithm>

#include "core/text.h"

namespace platform::sim {

bool SimDesktop::matches(const SimWindow& w, WindowHandle parent, const std::string& className,
                         const std::string& title) const {
    return w.parent == parent &&
           (className.empty() || core::equalsNoCase(w.className, className)) &&
           (title.empty() || w.title == title);
}

WindowHandle SimDesktop::findWindow(const std::string& className, const std::string& title) {
    return findChildWindow(kNoWindow, kNoWindow, className, title);
}

WindowHandle SimDesktop::findChildWindow(WindowHandle parent, WindowHandle after,
                                         const std::string& className, const std::string& title) {
    bool passed = after == kNoWindow;
    for (const SimWindow& w : windows_) {
        if (!passed) {
            passed = w.handle == after;
            continue;
        }
        if (matches(w, parent, className, title)) return w.handle;
    }
    return kNoWindow;
}

std::vector<WindowHandle> SimDesktop::topLevelWindows() {
    std::vector<WindowHandle> out;
    for (const SimWindow& w : windows_) {
        if (w.parent == kNoWindow) out.push_back(w.handle);
    }
    return out;
}

SimWindow* SimDesktop::find(WindowHandle window) {
    if (window == kNoWindow) return nullptr;
    auto it = std::find_if(windows_.begin(), windows_.end(),
                           [&](const SimWindow& w) { return w.handle == window; });
    return it == windows_.end() ? nullptr : &*it;
}

// Another program's title is read from what the system stores, without a message to
// the window, so a hung window still gives it.
std::string SimDesktop::windowText(WindowHandle window) {
    SimWindow* w = find(window);
    return w ? w->title : std::string();
}

bool SimDesktop::setWindowText(WindowHandle window, const std::string& text) {
    SimWindow* w = find(window);
    if (!w || w->hung) return false;
    w->title = text;
    return true;
}

bool SimDesktop::showWindow(WindowHandle window, ShowCommand show) {
    SimWindow* w = find(window);
    if (!w) return false;
    ++w->showCalls;
    w->visible = show != ShowCommand::Hide;
    return true;
}

// As in Win32, a call that shows or hides the window neither moves nor sizes it.
bool SimDesktop::setWindowPos(WindowHandle window, int x, int y, int cx, int cy,
                              std::uint32_t flags) {
    SimWindow* w = find(window);
    if (!w) return false;
    ++w->posCalls;
    if (flags & (kSwpShowWindow | kSwpHideWindow)) {
        w->visible = (flags & kSwpShowWindow) != 0;
        return true;
    }
    w->x = x;
    w->y = y;
    w->cx = cx;
    w->cy = cy;
    return true;
}

bool SimDesktop::isWindowVisible(WindowHandle window) {
    SimWindow* w = find(window);
    return w && w->visible;
}

bool SimDesktop::isWindowEnabled(WindowHandle window) {
    SimWindow* w = find(window);
    return w && w->enabled;
}

std::uint32_t SimDesktop::windowStyle(WindowHandle window) {
    SimWindow* w = find(window);
    return w ? w->style : 0;
}

bool SimDesktop::setWindowStyle(WindowHandle window, std::uint32_t style) {
    SimWindow* w = find(window);
    if (!w) return false;
    w->style = style;
    return true;
}

WindowHandle SimDesktop::open(SimWindow window, bool atBottom) {
    next_ += 4;
    window.handle = next_;
    if (atBottom) {
        windows_.push_back(std::move(window));
    } else {
        windows_.insert(windows_.begin(), std::move(window));
    }
    return next_;
}

void SimDesktop::close(WindowHandle window) {
    std::erase_if(windows_,
                  [&](const SimWindow& w) { return w.handle == window || w.parent == window; });
}

}  // namespace platform::sim
