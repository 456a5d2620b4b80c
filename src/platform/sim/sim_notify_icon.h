#pragma once
// The program's own notification-area icon, simulated: whether it is there, its tip,
// how often it was really added, and a way for a test to click it.
#include <string>

#include "platform/notify_icon.h"

namespace platform::sim {

class SimNotifyIcon : public NotifyIcon {
  public:
    void setMouseHandler(MouseHandler handler) override { handler_ = std::move(handler); }
    bool add(const std::string& tip) override;
    bool setTip(const std::string& tip) override;
    bool remove() override;
    bool present() const override { return present_; }

    // What the user would see.
    const std::string& tip() const { return tip_; }
    int addCount() const { return adds_; }
    int removeCount() const { return removes_; }

    // The user does something with the mouse over the icon; nothing happens when no icon
    // is there to receive it.
    void sendMouse(int mouseMessage);
    // The shell restarted: every icon is gone until its owner adds it again.
    void shellRestarted();
    // A shell that refuses icons, as when none is running.
    bool refuseAdds = false;

  private:
    MouseHandler handler_;
    std::string tip_;
    bool present_ = false;
    int adds_ = 0;
    int removes_ = 0;
};

}  // namespace platform::sim
