#include "ui/sim/sim_forms.h"

#include <algorithm>

namespace ui::sim {

void SimForms::attach(Form& form) {
    form.setObserver(this);
    nextHandle_ += 4;
    forms_[&form] = nextHandle_;
    form.setHandle(nextHandle_);
    ++attachCount_;
    for (Control* c : form.allControls()) {
        if (c->kind() == ControlKind::Timer) rearm(static_cast<Timer&>(*c));
    }
}

void SimForms::detach(Form& form) {
    // As the system does: an owned window goes with its owner's, whatever its form thinks.
    std::vector<Form*> owned;
    for (auto& [f, handle] : forms_) {
        if (f->owner() == &form) owned.push_back(const_cast<Form*>(f));
    }
    for (Form* f : owned) {
        ++ownedLostWithOwner_;
        detach(*f);
    }
    forgetTimersOf(form);
    std::erase(firstShownDue_, &form);
    forms_.erase(&form);
    form.setObserver(nullptr);
}

std::vector<std::string> SimForms::runningTimers() const {
    std::vector<std::string> names;
    for (const TimerState& t : timers_)
        names.push_back(t.timer->name());
    return names;
}

bool SimForms::isAttached(const Form& form) const {
    return forms_.count(&form) != 0;
}

bool SimForms::deliverHotKey(platform::WindowHandle window, int id) {
    for (auto& [form, handle] : forms_) {
        if (handle != window) continue;
        const_cast<Form*>(form)->raiseHotKey(id);
        return true;
    }
    return false;
}

void SimForms::controlChanged(Control& control, Change change, int) {
    if (control.kind() != ControlKind::Timer) return;
    if (change == Change::Destroyed) {
        std::erase_if(timers_, [&](const TimerState& t) { return t.timer == &control; });
        return;
    }
    if (change == Change::Timer || change == Change::Enabled) rearm(static_cast<Timer&>(control));
}

void SimForms::forgetTimersOf(const Form& form) {
    std::erase_if(timers_, [&](const TimerState& t) { return t.timer->form() == &form; });
}

void SimForms::rearm(Timer& timer) {
    std::erase_if(timers_, [&](const TimerState& t) { return t.timer == &timer; });
    if (timer.running())
        timers_.push_back({&timer, now_ + static_cast<std::uint32_t>(timer.interval())});
}

SimForms::TimerState* SimForms::nextDue(std::uint32_t limit) {
    TimerState* best = nullptr;
    for (TimerState& t : timers_) {
        if (t.due <= limit && (!best || t.due < best->due)) best = &t;
    }
    return best;
}

void SimForms::pump() {
    while (!firstShownDue_.empty()) {
        Form* form = firstShownDue_.front();
        firstShownDue_.erase(firstShownDue_.begin());
        form->raiseFirstShown();
    }
}

void SimForms::advance(std::uint32_t ms) {
    const std::uint32_t end = now_ + ms;
    pump();
    while (TimerState* t = nextDue(end)) {
        now_ = std::max(now_, t->due);
        Timer* timer = t->timer;
        // Re-arm before the handler runs: the handler may stop, restart or re-time it.
        t->due = now_ + static_cast<std::uint32_t>(timer->interval());
        timer->raiseTick();
        pump();
    }
    now_ = end;
}

void SimForms::popupMenu(Form&, const std::vector<MenuItem>& items) {
    ++menusShown_;
    lastMenu_ = items;
    std::vector<std::string> path = std::move(nextChoice_);
    nextChoice_.clear();
    const std::vector<MenuItem>* level = &lastMenu_;
    for (size_t i = 0; i < path.size(); ++i) {
        auto it = std::find_if(level->begin(), level->end(),
                               [&](const MenuItem& m) { return m.caption == path[i]; });
        if (it == level->end()) return;
        if (i + 1 == path.size()) {
            if (it->onClick) it->onClick();
            return;
        }
        level = &it->subItems;
    }
}

std::vector<std::string> SimForms::lastMenuCaptions() const {
    std::vector<std::string> captions;
    for (const MenuItem& m : lastMenu_)
        captions.push_back(m.separator ? "-" : m.caption);
    return captions;
}

}  // namespace ui::sim
