#include "platform/sim/sim_desktop.h"

#include <algorithm>

#include "core/text.h"

namespace platform::sim {

bool SimDesktop::matches(const SimWindow& w, WindowHandle parent, const std::string& className,
                         const std::string& title) const {
    return w.parent == parent && !w.messageOnly &&
           (className.empty() || core::equalsNoCase(w.className, className)) &&
           (title.empty() || core::sameTitle(w.title, title));
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
    ++enumerations;
    std::vector<WindowHandle> out;
    for (const SimWindow& w : windows_) {
        if (w.parent == kNoWindow && !w.messageOnly) out.push_back(w.handle);
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

std::uint32_t SimDesktop::windowProcessId(WindowHandle window) {
    SimWindow* w = find(window);
    return w ? w->processId : 0;
}

std::string SimDesktop::throughCodePage(const SimWindow& w, const std::string& text) {
    if (!w.ansi) return text;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            out += text[i];
        } else if ((byte & 0xC0) != 0x80) {
            out += '?';  // one character, however many bytes it takes
        }
    }
    return out;
}

// The system takes the text as it is, also when the program's own handling of the
// change would refuse it; a window whose thread does not answer keeps its title, and a
// slow one takes it when it catches up, after the sender has given up waiting.
bool SimDesktop::setWindowText(WindowHandle window, const std::string& text) {
    SimWindow* w = find(window);
    if (w) ++messagesSent;
    if (!w || w->hung) return false;
    if (w->slow) {
        backlog_[window].push_back({text, {}});
        return false;
    }
    takeText(*w, text);
    return true;
}

void SimDesktop::takeText(SimWindow& w, const std::string& text) {
    w.title = throughCodePage(w, text);
    changed(w);
}

// Even a window that answers at once is answered from the sender's message loop, never
// inside the call: the answers wait for catchUp like a slow window's.
void SimDesktop::whenAnswered(WindowHandle window, std::function<void()> answered) {
    if (!find(window) || !answered) return;
    ++messagesSent;
    backlog_[window].push_back({{}, std::move(answered)});
}

void SimDesktop::catchUp(WindowHandle window) {
    SimWindow* w = find(window);
    if (!w || w->hung) return;
    w->slow = false;
    std::vector<Pending> backlog = std::move(backlog_[window]);
    backlog_.erase(window);
    for (Pending& pending : backlog) {
        if (pending.answered) {
            pending.answered();
        } else if (SimWindow* now = find(window)) {  // an answer may have opened windows
            takeText(*now, pending.text);
        }
    }
}

int SimDesktop::answersWaiting(WindowHandle window) const {
    auto it = backlog_.find(window);
    if (it == backlog_.end()) return 0;
    return static_cast<int>(std::count_if(it->second.begin(), it->second.end(),
                                          [](const Pending& p) { return bool(p.answered); }));
}

bool SimDesktop::showWindow(WindowHandle window, ShowCommand show) {
    SimWindow* w = find(window);
    if (!w) return false;
    if (beforeShow) beforeShow(window, show != ShowCommand::Hide);
    ++w->showCalls;
    const bool wasVisible = w->visible;
    w->visible = show != ShowCommand::Hide;
    if (w->visible != wasVisible) changed(*w);
    return true;
}

// As in Win32, the rectangle is applied unless the flags keep the place or the size,
// whether or not the call also shows or hides the window.
bool SimDesktop::setWindowPos(WindowHandle window, int x, int y, int cx, int cy,
                              std::uint32_t flags) {
    SimWindow* w = find(window);
    if (!w) return false;
    ++w->posCalls;
    if (!(flags & kSwpNoMove)) {
        w->x = x;
        w->y = y;
    }
    if (!(flags & kSwpNoSize)) {
        w->cx = cx;
        w->cy = cy;
    }
    const bool wasVisible = w->visible;
    if (flags & kSwpShowWindow) w->visible = true;
    if (flags & kSwpHideWindow) w->visible = false;
    if (w->visible != wasVisible) changed(*w);
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
    const SimWindow opened = window;
    if (atBottom) {
        windows_.push_back(std::move(window));
    } else {
        windows_.insert(windows_.begin(), std::move(window));
    }
    changed(opened, true);
    return next_;
}

void SimDesktop::close(WindowHandle window) {
    const SimWindow* w = find(window);
    const SimWindow closed = w ? *w : SimWindow{};
    std::erase_if(windows_,
                  [&](const SimWindow& w) { return w.handle == window || w.parent == window; });
    backlog_.erase(window);  // a window that is gone never answers
    if (closed.handle != kNoWindow) changed(closed);
}

bool SimDesktop::windowSetChanged() {
    ++windowSetLooks;
    std::vector<WindowHandle> now;
    for (const SimWindow& w : windows_) {
        if (w.parent == kNoWindow && !w.messageOnly) now.push_back(w.handle);
    }
    std::sort(now.begin(), now.end());  // a new z-order is no news
    if (now == windowSet_) return false;
    windowSet_ = std::move(now);
    return true;
}

int SimDesktop::subscribe(Listener listener) {
    if (!listener) return 0;
    listeners_.emplace_back(++nextToken_, std::move(listener));
    return nextToken_;
}

void SimDesktop::unsubscribe(int token) {
    std::erase_if(listeners_, [&](const auto& entry) { return entry.first == token; });
}

// The system queues the news and hands it over later; the listeners here only note it, so
// telling at once comes to the same.
void SimDesktop::changed(const SimWindow& w, bool created) {
    if (w.parent != kNoWindow || w.messageOnly || (toldOnlyOfCreation && !created)) return;
    const auto now = listeners_;  // a listener may unsubscribe while it runs
    for (const auto& [token, listener] : now)
        listener();
}

}  // namespace platform::sim
