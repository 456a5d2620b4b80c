#include "ui/form.h"

#include <algorithm>

namespace ui {

Form::Form(FormHost& host, int id, std::string name)
    : Control(nullptr, ControlKind::Form, id, std::move(name)), host_(host) {
    becomeForm(this);
    // A form starts hidden; show() makes it visible after loading it.
    setVisible(false);
}

Form::~Form() {
    if (loaded_) host_.detach(*this);
}

void Form::load() {
    if (loaded_) return;
    loaded_ = true;
    host_.attach(*this);
    loading_ = true;
    hiddenWhileLoading_ = false;
    if (onLoad) onLoad();
    loading_ = false;
    if (loaded_) host_.queueFirstShown(*this);
}

void Form::show() {
    load();
    if (hiddenWhileLoading_) {
        hiddenWhileLoading_ = false;
        return;
    }
    if (loaded_) setVisible(true);
}

void Form::hide() {
    if (loading_) hiddenWhileLoading_ = true;
    setVisible(false);
}

bool Form::unload() {
    // An unload handler that ends the program unloads every form, this one included.
    if (!loaded_ || unloading_) return true;
    unloading_ = true;
    // A handler that throws must not leave the form refusing every later unload.
    struct ClearOnLeave {
        bool& flag;
        ~ClearOnLeave() { flag = false; }
    } clear{unloading_};
    bool cancel = false;
    if (onUnload) onUnload(cancel);
    if (!cancel) {
        loaded_ = false;
        setVisible(false);
        host_.detach(*this);
        handle_ = platform::kNoWindow;
        focused_ = nullptr;
    }
    return !cancel;
}

void Form::setWindowState(WindowState state) {
    if (state == windowState_) return;
    windowState_ = state;
    notify(Change::WindowState);
    sightChanged();
    if (onResize) onResize();
}

void Form::setStyle(const FormStyle& style) {
    style_ = style;
    notify(Change::Style);
}

int Form::addSightListener(std::function<void()> listener) {
    sightListeners_.emplace_back(++nextSightToken_, std::move(listener));
    return nextSightToken_;
}

void Form::removeSightListener(int token) {
    std::erase_if(sightListeners_, [&](const auto& entry) { return entry.first == token; });
}

void Form::sightChanged() {
    const auto now = sightListeners_;  // a listener may add or remove listeners
    for (const auto& [token, listener] : now)
        listener();
}

void Form::unregisterControl(Control* control) {
    std::erase(all_, control);
    if (focused_ == control) focused_ = nullptr;
}

Control* Form::findById(int id) const {
    for (Control* c : all_) {
        if (c->id() == id) return c;
    }
    return nullptr;
}

}  // namespace ui
