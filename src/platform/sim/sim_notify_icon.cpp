#include "platform/sim/sim_notify_icon.h"

namespace platform::sim {

bool SimNotifyIcon::add(const std::string& tip) {
    tip_ = tip;
    if (present_) return true;
    if (refuseAdds) return false;
    present_ = true;
    ++adds_;
    return true;
}

bool SimNotifyIcon::setTip(const std::string& tip) {
    tip_ = tip;
    return present_;
}

bool SimNotifyIcon::remove() {
    if (!present_) return false;
    present_ = false;
    ++removes_;
    return true;
}

void SimNotifyIcon::sendMouse(int mouseMessage) {
    if (!present_) return;
    // A copy: the handler may replace itself, as the real window procedure allows.
    MouseHandler handler = handler_;
    if (handler) handler(mouseMessage);
}

void SimNotifyIcon::shellRestarted() {
    // The real implementation hears the shell's broadcast and adds its icon again.
    if (!present_) return;
    present_ = false;
    add(tip_);
}

}  // namespace platform::sim
