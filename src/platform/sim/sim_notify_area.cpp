#include "platform/sim/sim_notify_area.h"

#include <algorithm>

#include "core/utf.h"

namespace platform::sim {

class SimNotifyArea::Connection : public ToolbarConnection {
  public:
    Connection(SimNotifyArea& area, WindowHandle window) : area_(area), window_(window) {
        ++area_.processHandlesOpen_;
        ++area_.buffersCommitted_;
    }
    ~Connection() override {
        --area_.buffersCommitted_;
        --area_.processHandlesOpen_;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    int buttonCount() override {
        auto* buttons = area_.answeringToolbar(window_);
        return buttons ? static_cast<int>(buttons->size()) : 0;
    }

    std::optional<int> commandId(int position) override {
        if (area_.beforeButtonAt) area_.beforeButtonAt(position);
        auto* buttons = area_.answeringToolbar(window_);
        if (!buttons || position < 0 || position >= static_cast<int>(buttons->size())) {
            return std::nullopt;
        }
        return (*buttons)[position].commandId;
    }

    std::optional<std::string> buttonText(int commandId) override {
        SimTrayButton* button = area_.findById(window_, commandId);
        if (!button || !button->hasText) return std::nullopt;
        std::u16string text = core::utf8ToUtf16(button->text);
        if (text.size() > static_cast<size_t>(kMaxTextUnits)) text.resize(kMaxTextUnits);
        return core::utf16ToUtf8(text);
    }

    WindowHandle ownerWindow(int position) override {
        auto* buttons = area_.answeringToolbar(window_);
        if (!buttons || position < 0 || position >= static_cast<int>(buttons->size())) {
            return kNoWindow;
        }
        return (*buttons)[position].owner;
    }

    bool hideButton(int commandId, bool hide) override {
        if (area_.answeringToolbar(window_)) ++area_.hideMessages_;
        SimTrayButton* button = area_.findById(window_, commandId);
        if (!button) return false;
        button->hidden = hide;
        return true;
    }

    void autosize() override {
        if (area_.answeringToolbar(window_)) ++area_.autosizes_;
    }

  private:
    SimNotifyArea& area_;
    WindowHandle window_;
};

std::unique_ptr<ToolbarConnection> SimNotifyArea::connect(WindowHandle window) {
    if (!desktop_.find(window)) return nullptr;
    if (!processOpens) return nullptr;
    if (!bufferCommits) return nullptr;  // the process handle was opened and closed again
    ++connectionsMade_;
    return std::make_unique<Connection>(*this, window);
}

std::vector<SimTrayButton>* SimNotifyArea::answeringToolbar(WindowHandle window) {
    const SimWindow* w = desktop_.find(window);
    if (!w || w->hung || window != toolbar) return nullptr;
    return &buttons;
}

SimTrayButton* SimNotifyArea::findById(WindowHandle window, int commandId) {
    auto* list = answeringToolbar(window);
    if (!list) return nullptr;
    auto it = std::find_if(list->begin(), list->end(),
                           [&](const SimTrayButton& b) { return b.commandId == commandId; });
    return it == list->end() ? nullptr : &*it;
}

const SimTrayButton* SimNotifyArea::buttonById(int commandId) const {
    auto it = std::find_if(buttons.begin(), buttons.end(),
                           [&](const SimTrayButton& b) { return b.commandId == commandId; });
    return it == buttons.end() ? nullptr : &*it;
}

std::optional<ClientSize> SimNotifyArea::clientSize(WindowHandle window) {
    if (!desktop_.find(window)) return std::nullopt;
    auto it = sizes_.find(window);
    return it == sizes_.end() ? ClientSize{} : it->second;
}

bool SimNotifyArea::postMouseMove(WindowHandle window, int x, int y) {
    if (!desktop_.find(window)) return false;
    moves_[window].push_back({x, y});
    return true;
}

const std::vector<SimPoint>& SimNotifyArea::mouseMoves(WindowHandle window) const {
    static const std::vector<SimPoint> none;
    auto it = moves_.find(window);
    return it == moves_.end() ? none : it->second;
}

void SimNotifyArea::openShell(int width, int height, bool insidePager) {
    auto child = [&](WindowHandle parent, const char* className) {
        SimWindow w;
        w.parent = parent;
        w.className = className;
        w.processId = kShellProcess;
        return desktop_.open(w, true);
    };
    trayWnd = child(kNoWindow, "Shell_TrayWnd");
    notifyWnd = child(trayWnd, "TrayNotifyWnd");
    sysPager = insidePager ? child(notifyWnd, "SysPager") : kNoWindow;
    toolbar = child(insidePager ? sysPager : notifyWnd, "ToolbarWindow32");
    sizes_[toolbar] = {width, height};
    sizes_[notifyWnd] = {width + 60, height + 8};
    if (insidePager) sizes_[sysPager] = {width, height};
    sizes_[trayWnd] = {width + 200, height + 10};
}

void SimNotifyArea::addButton(const std::string& text, int commandId, WindowHandle owner) {
    buttons.push_back({commandId, text, true, false, owner});
}

void SimNotifyArea::addButtonWithoutText(int commandId) {
    buttons.push_back({commandId, std::string(), false, false});
}

}  // namespace platform::sim
