#pragma once
// The simulated view of forms: it hands out invented window handles, keeps every
// timer of every loaded form and fires them from a virtual clock, and records pop-up
// menus so tests can pick an item as a user would.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/types.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace ui::sim {

class SimForms : public FormHost, public FormObserver {
  public:
    void attach(Form& form) override;
    void detach(Form& form) override;
    void popupMenu(Form& form, const std::vector<MenuItem>& items) override;
    void queueFirstShown(Form& form) override { firstShownDue_.push_back(&form); }
    void controlChanged(Control& control, Change change, int index) override;

    // What the message loop does first, before any timer: the forms loaded since the last
    // time learn that they are up.
    void pump();
    // Moves the virtual clock on by ms and fires every due tick in time order, pumping
    // before each. A timer whose handler takes no time still ticks once per interval,
    // never in a burst.
    void advance(std::uint32_t ms);
    std::uint32_t now() const { return now_; }

    // Pop-up menus: the captions of the last one shown, and the answer for the next one
    // (the caption path of the item to choose, e.g. {"帮助(H)", "关于(A).."}; empty picks
    // nothing).
    std::vector<std::string> lastMenuCaptions() const;
    int menusShown() const { return menusShown_; }
    void chooseNextMenuItem(std::vector<std::string> captionPath) {
        nextChoice_ = std::move(captionPath);
    }

    // The timers that are set to tick, by name: an idle program has none.
    std::vector<std::string> runningTimers() const;

    bool isAttached(const Form& form) const;
    // A hotkey message for a window: the loaded form with that handle raises it. False
    // when no form has that window.
    bool deliverHotKey(platform::WindowHandle window, int id);
    int attachCount() const { return attachCount_; }
    // Windows the system destroyed along with their owner while their forms still counted
    // them as loaded: each one is a form left holding a dead window.
    int ownedLostWithOwner() const { return ownedLostWithOwner_; }

  private:
    struct TimerState {
        Timer* timer;
        std::uint32_t due;
    };
    void rearm(Timer& timer);
    void forgetTimersOf(const Form& form);
    TimerState* nextDue(std::uint32_t limit);

    std::map<const Form*, platform::WindowHandle> forms_;
    std::vector<TimerState> timers_;
    std::vector<Form*> firstShownDue_;
    std::vector<MenuItem> lastMenu_;
    std::vector<std::string> nextChoice_;
    std::uint32_t now_ = 0;
    platform::WindowHandle nextHandle_ = 0x10000;
    int menusShown_ = 0;
    int attachCount_ = 0;
    int ownedLostWithOwner_ = 0;
};

}  // namespace ui::sim
